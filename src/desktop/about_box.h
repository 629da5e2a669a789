#pragma once

#include "platform/dialogs.h"
#include "platform/processes.h"
#include "platform/shell.h"

#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

// The About box's texts and its two actions: the program's help page, which stands in for a
// web site of its own, and the first system-information program the machine has.
class AboutBox {
public:
    AboutBox(Shell& shell, Dialogs& dialogs, Processes& processes, std::string shareFolder,
             std::string title)
        : shell_(shell), dialogs_(dialogs), processes_(processes),
          shareFolder_(std::move(shareFolder)), title_(std::move(title)) {}

    std::string caption() const { return "About " + title_; }
    static std::string lblVersion();
    std::string lblDescription() const { return "MP3 Player + Tag(ID3v1) Editor. " + title_; }
    std::string siteAddress() const { return shareFolder_ + "Help/index.html"; }

    // lblSite's click.
    void openSite() { shell_.open(siteAddress()); }
    // cmdSysInfo: starts the tool found on `searchPath` (a PATH value), or says there is none.
    void StartSysInfo(std::string_view searchPath);

    // The first of the known system-information programs in the folders of `searchPath`.
    static std::optional<std::string> findSysInfoTool(std::string_view searchPath);

private:
    Shell& shell_;
    Dialogs& dialogs_;
    Processes& processes_;
    std::string shareFolder_;
    std::string title_;
};

} // namespace vantrel
