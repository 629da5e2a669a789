#include "playlist/playlist_opener.h"

#include "base/ascii_text.h"
#include "base/file_descriptor.h"
#include "base/path_text.h"
#include "platform/dialogs.h"
#include "platform/processes.h"
#include "playlist/playlist_reader.h"
#include "playlist/recent_lists.h"

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <vector>

namespace vantrel {

namespace {

constexpr std::size_t kLinesPerPump = 4096;
constexpr std::size_t kReadAheadBatch = 4096;

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
                                 "Play List (*.m3u)|*.m3u|UTF-8 Play List (*.m3u8)|*.m3u8",
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
    std::string bytes;
    // A playlist that cannot be read adds nothing, without a word.
    if (!opened || !readAll(opened->get(), bytes)) return;
    std::string text = playlistText(std::move(bytes));
    const std::string folder = folderOf(comnIn);
    std::vector<std::string> entries;
    std::size_t lines = 0;
    for (std::string_view line : playlistLines(text)) {
        // A line naming a file as a whole is that file, commas and all: other players write
        // one path a line, and so do we; only a line that names nothing is split into fields.
        const std::string whole(trimmed(line, kBlank));
        if (!whole.starts_with('"') && whole.find(',') != std::string::npos &&
            isFile(entryPath(folder, whole)))
            entries.push_back(whole);
        else
            lineEntries(line, entries);
        // A playlist of a million lines takes a while to split: the window answers meanwhile.
        if (++lines % kLinesPerPump == 0 && pump_ && !pump_()) return;
    }
    text = std::string();
    std::string retry;
    std::size_t readUpTo = 0; // entries told to the read-ahead so far
    for (std::size_t i = 0; i < entries.size(); ++i) {
        // Told a batch at a time, well before they are reached: a long queue costs memory.
        if (readAhead_ && i + kReadAheadBatch / 2 >= readUpTo && readUpTo < entries.size()) {
            const std::size_t end = std::min(entries.size(), readUpTo + kReadAheadBatch);
            std::vector<std::string> paths;
            paths.reserve(end - readUpTo);
            for (; readUpTo < end; ++readUpTo)
                paths.emplace_back(trimmed(entryPath(folder, entries[readUpTo]), kBlankOrTab));
            readAhead_(std::move(paths));
        }
        addEntry(folder, entries[i], retry);
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
