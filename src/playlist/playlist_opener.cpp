#include "playlist/playlist_opener.h"

#include "base/ascii_text.h"
#include "base/file_descriptor.h"
#include "base/path_text.h"
#include "platform/dialogs.h"
#include "platform/processes.h"
#include "playlist/playlist_reader.h"
#include "playlist/recent_lists.h"

#include <fcntl.h>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <vector>

namespace vantrel {

namespace {

// One stat a call: a playlist entry is looked at once more by the add itself.
bool isFile(const std::string& path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    return !path.empty() && std::filesystem::exists(status) &&
           !std::filesystem::is_directory(status);
}

} // namespace

PlaylistOpener::PlaylistOpener(Dialogs& dialogs, RecentLists& recent, AddTrack add)
    : dialogs_(dialogs), recent_(recent), add_(std::move(add)) {}

void PlaylistOpener::mnuOpenPlay(int element) {
    std::error_code error;
    Dialogs::FileRequest request{"Open MP3 Playlist",
                                 "Play List (*.m3u)|*.m3u",
                                 1,
                                 std::filesystem::current_path(error).string(),
                                 "",
                                 ""};
    const std::optional<std::string> chosen = dialogs_.openFile(request);
    if (!chosen || chosen->empty()) return;
    if (element == 1) {
        // The new player opens the playlist itself; this one does nothing more.
        if (processes_) processes_->startDetached(program_, {"/new", *chosen});
        return;
    }
    std::error_code statError;
    if (std::filesystem::is_regular_file(*chosen, statError)) recent_.mruAdd(*chosen);
    openPList(*chosen);
}

void PlaylistOpener::openPList(const std::string& comnIn) {
    if (!isFile(comnIn)) {
        recent_.mruRemove(comnIn);
        return;
    }
    auto opened = openRegularFile(comnIn, O_RDONLY);
    std::string text;
    // A playlist that cannot be read adds nothing, without a word.
    if (!opened || !readAll(opened->get(), text)) return;
    const std::string folder = folderOf(comnIn);
    std::vector<std::string> entries;
    for (std::string_view line : playlistLines(text)) {
        // A line naming a file as a whole is that file, commas and all: other players write
        // one path a line, and so do we; only a line that names nothing is split into fields.
        const std::string whole(trimmed(line, kBlank));
        if (!whole.starts_with('"') && whole.find(',') != std::string::npos &&
            isFile(entryPath(folder, whole)))
            entries.push_back(whole);
        else
            lineEntries(line, entries);
    }
    text = std::string();
    if (readAhead_) {
        std::vector<std::string> paths;
        paths.reserve(entries.size());
        for (const std::string& entry : entries)
            paths.emplace_back(trimmed(entryPath(folder, entry), kBlankOrTab));
        readAhead_(std::move(paths));
    }
    std::string retry;
    for (const std::string& entry : entries) {
        addEntry(folder, entry, retry);
        if (pump_ && !pump_()) break;
    }
    // What was read ahead and not added (the reading ended early) is dropped.
    if (readAhead_) readAhead_({});
}

void PlaylistOpener::addEntry(const std::string& folder, const std::string& entry,
                              std::string& retry) {
    std::string path = entryPath(folder, entry);
    while (!isFile(path)) {
        if (missingReport_) return missingReport_(path);
        if (retry.empty()) retry = addSlash(folder);
        const auto answer = dialogs_.message(
            path + "\r\ndoes NOT exist in the current folder\r\nWould you like to Type in the "
                   "correct folder to add it to the Playlist ??",
            "", Dialogs::Buttons::YesNo, Dialogs::Icon::Question);
        if (answer != Dialogs::Answer::Yes) return;
        // A cancelled box is an empty answer, which leaves "/" as the folder.
        retry = addSlash(dialogs_
                             .input("Type in the correct folder without the filename, the one "
                                    "shown is not valid",
                                    "No Path", retry)
                             .value_or(""));
        path = retry + entryFileName(entry);
    }
    add_(std::string(trimmed(path, kBlankOrTab)));
}

} // namespace vantrel
