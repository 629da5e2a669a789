#include "playlist/playlist_commands.h"

#include "base/number_text.h"
#include "metadata/stream_cells.h"
#include "metadata/track_tag.h"
#include "platform/dialogs.h"
#include "platform/mp3_play.h"
#include "playlist/playlist_model.h"
#include "playlist/read_ahead.h"
#include "settings/ini_store.h"

#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <system_error>

namespace vantrel {

namespace {

// A regular file (links followed) of at least 129 bytes. Folders, devices and pipes are not
// tracks, and reading a pipe's end would block.
bool isListableFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           static_cast<std::uintmax_t>(st.st_size) >= id3v1::kMinFileLength;
}

// What a listable file is read for, on whichever thread; a file that cannot be read or
// probed comes back not listable.
void readTrack(const std::string& path, Mp3Play& probe, TrackRead& out) {
    out.listable = readTrackTag(path, out.tag) && out.tag.state != TagState::TooShort &&
                   probeStream(probe, path, out.stream);
}

} // namespace

PlaylistCommands::PlaylistCommands(PlaylistModel& model, Mp3Play& probe, Dialogs& dialogs,
                                   const IniStore& ini)
    : model_(model), probe_(probe), dialogs_(dialogs), ini_(ini) {}

PlaylistCommands::~PlaylistCommands() = default;

void PlaylistCommands::setReadAhead(int workers, ProbeMaker makeProbe) {
    readAhead_.reset();
    if (workers < 1 || !makeProbe) return;
    readAhead_ = std::make_unique<ReadAhead>(workers, [makeProbe]() -> ReadAhead::Reader {
        std::shared_ptr<Mp3Play> probe = makeProbe();
        if (!probe) return nullptr;
        return [probe](const std::string& path, TrackRead& out) {
            if (isListableFile(path)) readTrack(path, *probe, out);
        };
    });
}

void PlaylistCommands::readAhead(std::vector<std::string> paths) {
    if (!readAhead_) return;
    if (paths.empty()) return readAhead_->cancel();
    // Files listed already are skipped before they are opened, as GetListTag skips them.
    std::erase_if(paths, [this](const std::string& path) { return model_.contains(path); });
    readAhead_->submit(std::move(paths));
}

void PlaylistCommands::toglHeaders() {
    model_.setColumns(ListColumns(readHeaderSet(ini_), readFieldCaptions(ini_)));
}

void PlaylistCommands::fillCells(const std::string& path, const TrackRead& read,
                                 PlaylistRow& row) const {
    const auto tagTexts = tagCells(path, read.tag);
    const auto streamTexts = streamCells(read.stream);
    for (int c = 1; c <= model_.columnCount(); ++c) {
        const auto field = static_cast<std::size_t>(model_.columns().column(c).field);
        row.fields[field] =
            field < tagTexts.size() ? tagTexts[field] : streamTexts[field - tagTexts.size()];
    }
    row.key = path;
}

bool PlaylistCommands::GetListTag(const std::string& filPath) {
    if (filPath.empty()) return false;
    // A read done ahead leaves the queue even when the file is listed meanwhile.
    std::optional<TrackRead> ahead;
    if (readAhead_) ahead = readAhead_->take(filPath);
    if (!ahead && !isListableFile(filPath)) return false;
    // Checked before the probe opens the file: a listed file is skipped all the same, and a
    // playlist full of files already listed is not opened file by file.
    if (model_.contains(filPath)) return false;
    TrackRead read;
    if (ahead)
        read = std::move(*ahead);
    else
        readTrack(filPath, probe_, read);
    if (!read.listable) return false; // unreadable: skipped silently
    PlaylistRow row;
    fillCells(filPath, read, row);
    const int index = model_.addRow(std::move(row));
    if (index == 0) return false;
    if (read.tag.state == TagState::Tagged && model_.fieldShown(int(TrackField::GenreName)))
        genreCell(read.tag.values.genre);
    model_.showRow(index);
    model_.showTotal();
    // The first row listed while nothing is current becomes current, so Play works at once.
    if (model_.count() == 1 && model_.curFile().empty()) {
        model_.setSelected(index, true);
        model_.setFileIn(model_.row(index).key);
    }
    return true;
}

void PlaylistCommands::mnuEdLvItm(int element) {
    switch (element) {
    case 0:
        model_.clearList();
        break;
    case 1:
        model_.cropSelection();
        break;
    case 2:
        model_.removeSelection();
        break;
    case 3:
        model_.invertSelection();
        break;
    default:
        break;
    }
}

void PlaylistCommands::listStats() {
    Millis selected, all;
    for (int index = 1; index <= model_.count(); ++index) {
        const PlaylistRow& row = model_.row(index);
        StreamValues stream;
        if (!probeStream(probe_, row.key, stream)) return; // ends the command without a word
        const Millis time = Millis::fromWhole(stream.totalTime);
        if (row.selected) selected = selected + time;
        all = all + time;
    }
    dialogs_.message("Total Time of Files Selected  = " + fmtClockHours(selected) + "\r\n" +
                         "Total Time of All Files = " + fmtClockHours(all),
                     "List Viewer Stats", Dialogs::Buttons::Ok, Dialogs::Icon::Information);
}

void PlaylistCommands::editSelected() {
    if (model_.count() == 0) {
        dialogs_.message("No Tracks Selected to Edit", "", Dialogs::Buttons::Ok,
                         Dialogs::Icon::Warning);
        return;
    }
    // The editor removes and re-adds the row it saved, which shifts indices under a walk by
    // index; the selection is therefore taken by key before the first editor opens.
    std::vector<std::string> keys;
    for (int index = 1; index <= model_.count(); ++index)
        if (model_.row(index).selected) keys.push_back(model_.row(index).key);
    if (!editorOpener_) return;
    for (const std::string& key : keys)
        if (model_.contains(key)) editorOpener_(key);
}

} // namespace vantrel
