#include "playlist/playlist_commands.h"

#include "metadata/id3v1_block.h"
#include "base/number_text.h"
#include "platform/dialogs.h"
#include "platform/mp3_play.h"
#include "playlist/playlist_model.h"
#include "settings/ini_store.h"

#include <filesystem>
#include <system_error>

namespace vantrel {

namespace {

// Whatever happens while a file is open on the probe, it is closed again.
class ProbeGuard {
public:
    explicit ProbeGuard(Mp3Play& probe) : probe_(probe) {}
    ~ProbeGuard() { probe_.CloseStream(); }
    ProbeGuard(const ProbeGuard&) = delete;
    ProbeGuard& operator=(const ProbeGuard&) = delete;

private:
    Mp3Play& probe_;
};

// A regular file (links followed) of at least 129 bytes. Folders, devices and pipes are not
// tracks, and reading a pipe's end would block.
bool isListableFile(const std::string& path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error || !std::filesystem::is_regular_file(status)) return false;
    const auto size = std::filesystem::file_size(path, error);
    return !error && size >= id3v1::kMinFileLength;
}

} // namespace

PlaylistCommands::PlaylistCommands(PlaylistModel& model, Mp3Play& probe, Dialogs& dialogs,
                                   const IniStore& ini)
    : model_(model), probe_(probe), dialogs_(dialogs), ini_(ini) {}

void PlaylistCommands::toglHeaders() {
    model_.setColumns(ListColumns(readHeaderSet(ini_), readFieldCaptions(ini_)));
}

bool PlaylistCommands::GetListTag(const std::string& filPath) {
    if (filPath.empty() || !isListableFile(filPath)) return false;
    // Checked before the probe opens the file: a listed file is skipped all the same, and a
    // playlist full of files already listed is not opened file by file.
    if (model_.contains(filPath)) return false;
    TagRead tag;
    if (!id3v1::readTag(filPath, tag)) return false; // unreadable: skipped silently
    if (tag.state == TagState::TooShort) return false;

    PlaylistRow row;
    {
        ProbeGuard guard(probe_);
        if (probe_.OpenStream(filPath, "") != 0) return false;
        const auto tagTexts = tagCells(filPath, tag);
        for (int c = 1; c <= model_.columnCount(); ++c) {
            const int field = model_.columns().column(c).field;
            std::string& cell = row.fields[field];
            if (field < kTagFieldCount)
                cell = tagTexts[field];
            else if (field == int(TrackField::PlayTime))
                cell = fmtClock(Millis::fromWhole(probe_.TotalTime()));
            else if (field == int(TrackField::SampleRate))
                cell = numberText(probe_.SampleRate() / 1000.0) + " Khz";
            else
                cell = numberText(probe_.BitRate() / 1000.0) + " Kbit";
        }
    }
    row.key = filPath;
    const int index = model_.addRow(std::move(row));
    if (index == 0) return false;
    if (tag.state == TagState::Tagged && model_.fieldShown(int(TrackField::GenreName)))
        for (const GenreHook& hook : genreHooks_)
            hook(tag.values.genre);
    model_.showRow(index);
    model_.showTotal();
    return true;
}

void PlaylistCommands::listStats() {
    Millis selected, all;
    for (int index = 1; index <= model_.count(); ++index) {
        const PlaylistRow& row = model_.row(index);
        ProbeGuard guard(probe_);
        if (probe_.OpenStream(row.key, "") != 0) return; // ends the command without a word
        const Millis time = Millis::fromWhole(probe_.TotalTime());
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
