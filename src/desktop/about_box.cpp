#include "desktop/about_box.h"

#include "base/version.h"

#include <filesystem>
#include <unistd.h>

namespace vantrel {

std::string AboutBox::lblVersion() {
    return "Version " + std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
           std::to_string(kVersionRevision);
}

std::optional<std::string> AboutBox::findSysInfoTool(std::string_view searchPath) {
    // Desktop-neutral first, then GNOME's and KDE's own.
    static constexpr std::string_view kTools[] = {"hardinfo", "gnome-system-monitor", "kinfocenter",
                                                  "mate-system-monitor", "xfce4-taskmanager"};
    for (std::string_view tool : kTools) {
        std::size_t start = 0;
        while (start <= searchPath.size()) {
            std::size_t end = searchPath.find(':', start);
            if (end == std::string_view::npos) end = searchPath.size();
            // An empty entry is the current folder, which a program started from a desktop
            // has no reason to trust; it is skipped.
            if (end > start) {
                std::filesystem::path candidate(searchPath.substr(start, end - start));
                candidate /= tool;
                std::error_code error;
                if (std::filesystem::is_regular_file(candidate, error) &&
                    ::access(candidate.c_str(), X_OK) == 0)
                    return candidate.string();
            }
            start = end + 1;
        }
    }
    return std::nullopt;
}

void AboutBox::StartSysInfo(std::string_view searchPath) {
    if (std::optional<std::string> tool = findSysInfoTool(searchPath);
        tool && processes_.startDetached(*tool, {}))
        return;
    dialogs_.message("System Information Is Unavailable At This Time", "", Dialogs::Buttons::Ok,
                     Dialogs::Icon::Information);
}

} // namespace vantrel
