#include "settings/next_start_notice.h"

#include "platform/dialogs.h"

namespace vantrel {

void tellNextStart(Dialogs& dialogs, const std::string& choice) {
    dialogs.message("The \"" + choice +
                        "\" Selection will NOT apply until next time the Application is Opened",
                    "", Dialogs::Buttons::Ok, Dialogs::Icon::None);
}

} // namespace vantrel
