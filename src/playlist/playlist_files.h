#pragma once

#include "playlist/find_as_you_type.h"
#include "playlist/list_settings.h"
#include "playlist/playlist_opener.h"
#include "playlist/playlist_saver.h"
#include "playlist/recent_lists.h"

#include <string>

namespace vantrel {

class Dialogs;
class IniStore;
class PlaylistCommands;
class PlaylistModel;
class Processes;

// The playlist's files and tools, built together for the main window: opening and saving
// playlists, the recently used ones, find as you type and the list settings dialog.
class PlaylistFiles {
public:
    struct Ports {
        const IniStore& ini;
        Dialogs& dialogs;
        Processes* processes = nullptr; // starts "Open in New Player"; none in tests
        bool useGrid = false;
    };

    PlaylistFiles(PlaylistModel& list, PlaylistCommands& commands, Ports ports);

    RecentLists& recentLists() { return recent_; }
    const RecentLists& recentLists() const { return recent_; }
    PlaylistOpener& opener() { return opener_; }
    PlaylistSaver& saver() { return saver_; }
    FindAsYouType& find() { return find_; }
    ListSettings& listSettings() { return listSettings_; }

    void openPList(const std::string& path) { opener_.openPList(path); }
    // A click on recent entry k: its playlist opens where it stands in the list.
    void mnuMRUitm(int k);

private:
    RecentLists recent_;
    PlaylistOpener opener_;
    PlaylistSaver saver_;
    FindAsYouType find_;
    ListSettings listSettings_;
};

} // namespace vantrel
