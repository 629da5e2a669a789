#pragma once

#include "base/signal.h"

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace vantrel {

class Dialogs;
class Drives;
class PlaylistCommands;
class PlaylistModel;

// The folder browser frmFolders: browse drives and folders, list a folder's matching files or
// search a folder tree or a range of drives, and mirror the files selected in the shown list
// into the playlist. The window shows this state and forwards the user's actions.
class FolderBrowser {
public:
    FolderBrowser(Drives& drives, Dialogs& dialogs, PlaylistModel& model,
                  PlaylistCommands& commands);

    // The load step: the drive lists, and the folder list at the start folder (the user's
    // home) on the drive that holds it.
    void load(const std::string& startFolder);

    // Drive1 and cmdFinish.
    const std::vector<std::string>& drives() const { return drives_; }
    int drive() const { return drive_; }
    void chooseDrive(int index);
    const std::vector<std::string>& lastDrives() const { return lastDrives_; }
    int lastDrive() const { return lastDrive_; } // -1: none chosen
    void chooseLastDrive(int index) { lastDrive_ = index; }

    // Dir1: the folder being browsed (ends in "/") and its subfolders, names only.
    const std::string& folder() const { return folder_; }
    const std::vector<std::string>& subfolders() const { return subfolders_; }
    // Goes to the folder; false (nothing changed) when it cannot be listed.
    bool openFolder(const std::string& path);

    // filVoxList (the folder's matching files, names only) and lstFiles (search results as
    // full paths); one of them is shown.
    const std::vector<std::string>& files() const { return files_; }
    const std::string& filePattern() const { return filePattern_; }
    const std::vector<std::string>& results() const { return results_; }
    bool resultsShown() const { return resultsShown_; }
    const std::vector<bool>& selection() const { return resultsShown_ ? resultSel_ : fileSel_; }

    // Option1 and txtExtSearch.
    int option() const { return option_; }
    void optionClick(int element);
    const std::string& extText() const { return extText_; }
    void setExtText(const std::string& text) { extText_ = text; }
    void extLeave();
    const std::string& searchPattern() const { return searchPattern_; }

    // A click in the shown list: `selected` holds every entry's selection afterwards.
    void listClick(int clicked, const std::vector<bool>& selected);
    void cmdSearchAll();
    void cmdSelAll();
    void cmdOK();
    bool searching() const { return searching_; }
    // Ends a running search at its next match (the window closes or the program ends).
    void stopSearch() { searching_ = false; }

    // Lets pending input run during a search; called at most every few milliseconds.
    void setEventPump(std::function<void()> pump) { pump_ = std::move(pump); }

    // The state shown changed (all of it is rendered again).
    Signal<> changed;
    // Search results were appended since the last time (the list is scrolled to its end).
    Signal<> resultsGrew;
    // The busy pointer: true while a search runs.
    Signal<bool> busy;
    // "Finished": the window hides.
    Signal<> hideRequested;

private:
    void fillLastDrive();
    void readFiles();
    void searchFolder(const std::string& folder, bool oneFileSystem);
    void searchDrives();
    bool driveRootWithFiles() const;
    void mirror(const std::vector<std::string>& paths, int clicked);

    Drives& drivesPort_;
    Dialogs& dialogs_;
    PlaylistModel& model_;
    PlaylistCommands& commands_;
    std::function<void()> pump_;
    std::chrono::steady_clock::time_point lastPump_{};

    std::vector<std::string> drives_, lastDrives_;
    int drive_ = 0, lastDrive_ = -1;
    std::string folder_;
    std::vector<std::string> subfolders_, files_, results_;
    std::vector<bool> fileSel_, resultSel_;
    std::string filePattern_ = "*.mp3", searchPattern_ = "*.mp3", extText_;
    int option_ = 1;
    bool resultsShown_ = false, searching_ = false, selectingAll_ = false;
};

} // namespace vantrel
