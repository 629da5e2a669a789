#pragma once

#include <functional>
#include <string>
#include <vector>

namespace vantrel {

class Dialogs;
class Processes;
class RecentLists;

// Opening a playlist file: its entries are added to the list one by one, and an entry whose
// file is missing is offered to the user for a corrected folder. Also the two "open" choices
// of the Files menu.
class PlaylistOpener {
public:
    // Adds one track to the list (GetListTag); duplicates and unreadable files are its concern.
    using AddTrack = std::function<void(const std::string& path)>;

    PlaylistOpener(Dialogs& dialogs, RecentLists& recent, AddTrack add);

    // Appends the tracks the playlist names. A playlist that is missing leaves the recent
    // lists; one that cannot be read adds nothing.
    void openPList(const std::string& comnIn);
    // "&Open PlayList" (0) or "Open in &New Player" (1): asks for the playlist first.
    void mnuOpenPlay(int element);

    // Starting the second player; without it "Open in New Player" does nothing.
    void setProcesses(Processes* processes, std::string program) {
        processes_ = processes;
        program_ = std::move(program);
    }
    // For scripts: a missing entry is reported here and skipped, with no question.
    void setMissingReport(std::function<void(const std::string& path)> report) {
        missingReport_ = std::move(report);
    }
    // Called after each entry, so the window can paint while a long playlist loads; false
    // ends the reading (the window was closed meanwhile).
    void setEntryPump(std::function<bool()> pump) { pump_ = std::move(pump); }
    // Told the paths of a playlist's entries before the first is added, in the order they will
    // be added, and an empty list after the last: the adding may read them ahead.
    void setReadAhead(std::function<void(std::vector<std::string>)> readAhead) {
        readAhead_ = std::move(readAhead);
    }

private:
    void addEntry(const std::string& folder, const std::string& entry, std::string& retry);

    Dialogs& dialogs_;
    RecentLists& recent_;
    AddTrack add_;
    Processes* processes_ = nullptr;
    std::string program_;
    std::function<bool()> pump_;
    std::function<void(std::vector<std::string>)> readAhead_;
    std::function<void(const std::string&)> missingReport_;
};

} // namespace vantrel
