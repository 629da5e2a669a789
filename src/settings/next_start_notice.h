#pragma once

#include <string>

namespace vantrel {

class Dialogs;

// Tells the user that a choice made in a settings dialog ("Round Forms", "Show Gridlines", ...)
// is stored but takes effect only at the next start.
void tellNextStart(Dialogs& dialogs, const std::string& choice);

} // namespace vantrel
