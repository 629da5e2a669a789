#include "tagedit/folder_browser.h"

#include "base/ascii_text.h"
#include "platform/dialogs.h"
#include "platform/drives.h"
#include "playlist/playlist_commands.h"
#include "playlist/playlist_model.h"
#include "tagedit/folder_walk.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>

namespace vantrel {

namespace {

// Often enough to keep the window answering, rarely enough that a folder of 50,000 matches
// is not slowed down by event processing.
constexpr auto kPumpInterval = std::chrono::milliseconds(5);

std::string withSlash(std::string path) {
    if (path.empty() || path.back() != '/') path += '/';
    return path;
}

struct DirCloser {
    void operator()(DIR* d) const { ::closedir(d); }
};

} // namespace

FolderBrowser::FolderBrowser(Drives& drives, Dialogs& dialogs, PlaylistModel& model,
                             PlaylistCommands& commands)
    : drivesPort_(drives), dialogs_(dialogs), model_(model), commands_(commands) {}

void FolderBrowser::load(const std::string& startFolder) {
    results_.reserve(30000);
    drives_ = drivesPort_.list();
    const std::string start = withSlash(startFolder);
    std::size_t longest = 0;
    for (std::size_t d = 0; d < drives_.size(); ++d) {
        const std::string root = withSlash(drives_[d]);
        if (start.rfind(root, 0) == 0 && root.size() > longest) {
            longest = root.size();
            drive_ = static_cast<int>(d);
        }
    }
    fillLastDrive();
    // cmdFinish has no entry chosen until the first drive change.
    if (!openFolder(start) && !drives_.empty())
        openFolder(drives_[static_cast<std::size_t>(drive_)]);
}

void FolderBrowser::fillLastDrive() {
    lastDrives_.clear();
    for (std::size_t i = static_cast<std::size_t>(drive_); i < drives_.size(); ++i)
        lastDrives_.push_back(drives_[i]);
}

void FolderBrowser::chooseDrive(int index) {
    if (index < 0 || index >= static_cast<int>(drives_.size())) return;
    drive_ = index;
    if (!openFolder(drives_[index])) {
        dialogs_.message(drives_[index] + ": " + std::strerror(errno), "", Dialogs::Buttons::Ok,
                         Dialogs::Icon::Critical);
        if (drives_.size() > 1 && index != 1) {
            chooseDrive(1);
            return;
        }
    }
    fillLastDrive();
    lastDrive_ = lastDrives_.empty() ? -1 : 0;
    changed();
}

bool FolderBrowser::openFolder(const std::string& path) {
    const std::string folder = withSlash(path);
    std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.c_str()));
    if (!dir) return false;
    std::vector<std::string> subfolders;
    while (const dirent* e = ::readdir(dir.get())) {
        const std::string name = e->d_name;
        if (name == "." || name == "..") continue;
        struct stat st {};
        if (::stat((folder + name).c_str(), &st) == 0 && S_ISDIR(st.st_mode))
            subfolders.push_back(name);
    }
    std::sort(subfolders.begin(), subfolders.end());
    folder_ = folder;
    subfolders_ = std::move(subfolders);
    readFiles();
    resultsShown_ = false;
    changed();
    return true;
}

void FolderBrowser::readFiles() {
    files_.clear();
    if (std::unique_ptr<DIR, DirCloser> dir(::opendir(folder_.c_str())); dir) {
        while (const dirent* e = ::readdir(dir.get())) {
            struct stat st {};
            if (tagedit::matchesPattern(e->d_name, filePattern_) &&
                ::stat((folder_ + e->d_name).c_str(), &st) == 0 && !S_ISDIR(st.st_mode))
                files_.emplace_back(e->d_name);
        }
    }
    std::sort(files_.begin(), files_.end());
    fileSel_.assign(files_.size(), false);
}

void FolderBrowser::optionClick(int element) {
    option_ = element;
    searchPattern_ = element == 0 ? "*." + std::string(trimmed(extText_)) : "*.mp3";
    filePattern_ = searchPattern_;
    readFiles();
    changed();
}

void FolderBrowser::extLeave() {
    // The box sets only what the file list shows; searches keep their pattern.
    const std::string pattern(trimmed(extText_));
    if (pattern.empty()) return; // a pattern the list refuses is ignored
    filePattern_ = pattern;
    readFiles();
    changed();
}

void FolderBrowser::listClick(int clicked, const std::vector<bool>& selected) {
    std::vector<bool>& sel = resultsShown_ ? resultSel_ : fileSel_;
    if (selected.size() != sel.size()) return;
    sel = selected;
    if (selectingAll_) return;
    std::vector<std::string> paths = resultsShown_ ? results_ : files_;
    if (!resultsShown_)
        for (std::string& p : paths)
            p = folder_ + p;
    mirror(paths, clicked);
}

void FolderBrowser::mirror(const std::vector<std::string>& paths, int clicked) {
    const std::vector<bool>& sel = resultsShown_ ? resultSel_ : fileSel_;
    if (clicked < 0 || clicked >= static_cast<int>(paths.size())) return;
    if (sel[clicked]) {
        for (std::size_t i = 0; i < paths.size(); ++i) {
            const bool listed = model_.contains(paths[i]);
            if (sel[i] && !listed) commands_.GetListTag(paths[i]);
            if (!sel[i] && listed) model_.removeRow(paths[i]);
        }
    } else {
        model_.removeRow(paths[clicked]); // nothing happens when there is none
    }
    model_.refilLst();
}

void FolderBrowser::cmdSelAll() {
    selectingAll_ = true;
    if (!resultsShown_) readFiles();
    std::vector<bool> all(selection().size(), true);
    selectingAll_ = false;
    // Selecting the last entry runs the mirror step once, with every entry selected.
    if (!all.empty()) listClick(static_cast<int>(all.size()) - 1, all);
    changed();
}

void FolderBrowser::cmdOK() {
    hideRequested();
    if (model_.count() == 0) return;
    model_.setFileIn(model_.row(1).key);
    model_.setSelected(1, true);
    model_.showRow(1);
    model_.calcLVItms();
}

bool FolderBrowser::driveRootWithFiles() const {
    if (std::find(drives_.begin(), drives_.end(), folder_) == drives_.end() &&
        std::find(drives_.begin(), drives_.end(), folder_.substr(0, folder_.size() - 1)) ==
            drives_.end())
        return false;
    std::unique_ptr<DIR, DirCloser> dir(::opendir(folder_.c_str()));
    while (dir) {
        const dirent* e = ::readdir(dir.get());
        if (!e) break;
        struct stat st {};
        if (::stat((folder_ + e->d_name).c_str(), &st) == 0 && S_ISREG(st.st_mode)) return true;
    }
    return false;
}

void FolderBrowser::cmdSearchAll() {
    // A second press stops the running search, whichever kind it is.
    if (searching_) {
        searching_ = false;
        return;
    }
    resultsShown_ = true;
    results_.clear();
    resultSel_.clear();
    changed();
    if (driveRootWithFiles()) {
        searchDrives();
        return;
    }
    busy(true);
    searching_ = true;
    searchFolder(folder_, false);
    searching_ = false;
    busy(false);
    changed();
}

void FolderBrowser::searchDrives() {
    if (searchPattern_.empty()) return;
    busy(true);
    searching_ = true;
    const int last = lastDrive_ < 0 ? -1 : drive_ + lastDrive_;
    for (int d = drive_; d <= last && d < static_cast<int>(drives_.size()) && searching_; ++d)
        searchFolder(drives_[d], true);
    searching_ = false;
    busy(false);
    changed();
}

void FolderBrowser::searchFolder(const std::string& folder, bool oneFileSystem) {
    auto onMatch = [this](const std::string& path) {
        if (!searching_) return false;
        results_.push_back(path);
        resultSel_.push_back(false);
        if (const auto now = std::chrono::steady_clock::now();
            pump_ && now - lastPump_ >= kPumpInterval) {
            lastPump_ = now;
            resultsGrew();
            pump_();
        }
        return searching_;
    };
    auto onFolderDone = [this](const std::string&) { resultsGrew(); };
    tagedit::walkFolder(folder, searchPattern_, onMatch, onFolderDone,
                        tagedit::WalkOptions{oneFileSystem});
}

} // namespace vantrel
