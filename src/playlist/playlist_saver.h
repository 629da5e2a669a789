#pragma once

#include <functional>
#include <string>
#include <vector>

namespace vantrel {

class Dialogs;
class PlaylistModel;

// "Save Playlist As": asks for the target file of the chosen format and writes the list there.
class PlaylistSaver {
public:
    // The format buttons of frmPSave by element: 0 .m3u, 2 .csv, 3 .html (1 has no export).
    enum Format { M3u = 0, Csv = 2, Html = 3 };

    PlaylistSaver(const PlaylistModel& list, Dialogs& dialogs);

    // Runs one export; `order` is the list's column display order. True when the format
    // dialog is done (written, or a failure reported), false when the file dialog was
    // cancelled and the user may choose again.
    bool cmdPLtype(int element, const std::vector<int>& order);

    // The folder the save dialog starts in; the process's current folder unless set.
    void setStartFolder(std::function<std::string()> folder) { startFolder_ = std::move(folder); }
    // The page's Date line; today unless set.
    void setDate(std::function<std::string()> date) { date_ = std::move(date); }

private:
    const PlaylistModel& list_;
    Dialogs& dialogs_;
    std::function<std::string()> startFolder_;
    std::function<std::string()> date_;
};

} // namespace vantrel
