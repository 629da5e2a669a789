#include "playlist/playlist_commands.h"

#include "base/number_text.h"
#include "metadata/stream_cells.h"
#include "metadata/track_tag.h"
#include "platform/dialogs.h"
#include "platform/mp3_play.h"
#include "playlist/playlist_model.h"
#include "settings/ini_store.h"

#include <filesystem>
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

} // namespace

PlaylistCommands::PlaylistCommands(PlaylistModel& model, Mp3Play& probe, Dialogs& dialogs,
                                   const IniStore& ini)
    : model_(model), probe_(probe), dialogs_(dialogs), ini_(ini) {}

void PlaylistCommands::toglHeaders() {
    model_.setColumns(ListColumns(readHeaderSet(ini_), readFieldCaptions(ini_)));
}

bool PlaylistCommands::readCells(const std::string& path, PlaylistRow& row, TagRead& tag) {
    if (!readTrackTag(path, tag)) return false; // unreadable: skipped silently
    if (tag.state == TagState::TooShort) return false;
    StreamValues stream;
    if (!probeStream(probe_, path, stream)) return false;
    const auto tagTexts = tagCells(path, tag);
    const auto streamTexts = streamCells(stream);
    for (int c = 1; c <= model_.columnCount(); ++c) {
        const auto field = static_cast<std::size_t>(model_.columns().column(c).field);
        row.fields[field] =
            field < tagTexts.size() ? tagTexts[field] : streamTexts[field - tagTexts.size()];
    }
    row.key = path;
    return true;
}

bool PlaylistCommands::GetListTag(const std::string& filPath) {
    if (filPath.empty() || !isListableFile(filPath)) return false;
    // Checked before the probe opens the file: a listed file is skipped all the same, and a
    // playlist full of files already listed is not opened file by file.
    if (model_.contains(filPath)) return false;
    PlaylistRow row;
    TagRead tag;
    if (!readCells(filPath, row, tag)) return false;
    const int index = model_.addRow(std::move(row));
    if (index == 0) return false;
    if (tag.state == TagState::Tagged && model_.fieldShown(int(TrackField::GenreName)))
        genreCell(tag.values.genre);
    model_.showRow(index);
    model_.showTotal();
    // The first row listed while nothing is current becomes current, so Play works at once.
    if (model_.count() == 1 && model_.curFile().empty()) {
        model_.setSelected(index, true);
        model_.setFileIn(model_.row(index).key);
    }
    return true;
}

bool PlaylistCommands::refreshRow(const std::string& key) {
    PlaylistRow row;
    TagRead tag;
    if (!model_.contains(key) || !isListableFile(key) || !readCells(key, row, tag)) return false;
    return model_.rows().updateCells(key, std::move(row.fields));
}

bool PlaylistCommands::renameRow(const std::string& oldKey, const std::string& newKey) {
    if (!model_.rows().rename(oldKey, newKey)) return false;
    refreshRow(newKey); // the file name and path cells; an unreadable file keeps the old ones
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
