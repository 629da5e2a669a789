#pragma once

#include "base/result.h"
#include "base/signal.h"
#include "metadata/id3v1_block.h"
#include "tagedit/editor_settings.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace vantrel {

class Dialogs;
class IniStore;
class PlaylistCommands;
class PlaylistModel;

// The tag editor frmQTag and its file renamer: one track at a time, with field texts,
// drop-down lists, genre and renaming options carried over from track to track for the whole
// run. The window shows this state and forwards the user's actions.
class TagEditor {
public:
    // Field indices of cmbMtag.
    enum Field { Artist = 0, Title = 1, Album = 2, Comment = 3, Year = 4 };
    static constexpr int kFields = 5;
    // Elements of chkFileAs.
    enum Use { UseArtist = 0, UseTitle = 1, UseAlbum = 2 };

    // Closes the playing track's stream, if any, so the file can be written, and reopens it
    // once the write is done.
    struct PlayingFile {
        std::function<void()> release, reopen;
    };
    TagEditor(Dialogs& dialogs, PlaylistModel& model, PlaylistCommands& commands,
              const IniStore& ini, PlayingFile playingFile);

    // The start-up step: remembered texts join the drop-down lists, the remembered genre and
    // the shown genre list come back.
    void load();
    // The exit step: which genre list is shown, and the remembered texts and genre.
    void saveOnExit() const;

    // Opens the editor on one playlist row: loads it and, when it could be loaded, shows the
    // dialog through the window and returns when it is closed. A row whose file has gone is
    // passed over, so the dialog never shows or saves the previous track.
    void editRow(const std::string& key);
    void setShower(std::function<void()> showModal) { showModal_ = std::move(showModal); }

    // Loads the file into the editor; false when the file is missing, unreadable or too
    // short (the editor then keeps what it held).
    bool GetIDTag(const std::string& filPath);
    void addDropFil(int index, const std::string& text);

    // The buttons. "Add Changes" and "Close" end the track's edit (hideRequested).
    void cmdSave();
    void cmdDel();
    void cmdDone();
    // Remembers the five texts and the genre, and writes them to the settings file at once.
    void wriTagIni();

    // The window's edits and clicks.
    void setField(int index, const std::string& text) { fields_[index] = text; }
    void setProposal(const std::string& text) { proposal_ = text; }
    void setFileNameText(const std::string& text) { fileName_ = text; }
    void chkFileAsClick(int element, bool checked);
    // Fills Title (and Artist, Album) from the file name shown, split as the renamer's chosen
    // template joins them (the title alone when none is chosen), for the user to check and
    // save; a name that does not split so is reported and the fields stay.
    void cmdFromName();
    void setRenTempl();
    // A click on entry `number` of the number-order list, or on entry `position` of the
    // alphabetical one.
    void chooseGenre(int number);
    void chooseSortedGenre(int position);
    void cmdSortGenre();
    void toglGenre(bool standardOrder);

    const std::array<std::string, kFields>& fields() const { return fields_; }
    const std::vector<std::string>& dropList(int index) const { return dropLists_[index]; }
    int tagGenre() const { return tagGenre_; }
    void setTagGenre(int genre) { tagGenre_ = genre; }
    const std::string& genreText() const { return genreText_; }
    const std::string& genreSortText() const { return genreSortText_; }
    bool standardGenreShown() const { return standardGenreShown_; }
    // txtExample 0, 1 and 2: the file's name, the proposed name and the file's folder.
    const std::string& fileName() const { return fileName_; }
    const std::string& proposal() const { return proposal_; }
    const std::string& folder() const { return folder_; }
    const std::string& tagFile() const { return tagFile_; }
    bool checked(int element) const { return checked_[element]; }
    bool checkEnabled(int element) const { return checkEnabled_[element]; }
    bool fileNameEnabled() const { return !proposalEnabled_; }
    bool proposalEnabled() const { return proposalEnabled_; }
    // lblTag 2..7: the captions of tag fields 2..7, from the playlist's columns once built.
    const std::string& label(int field) const { return labels_[field - 2]; }

    // The state shown changed (all of it is rendered again).
    Signal<> changed;
    // "Add Changes" or "Close": the dialog hides and the next selected row follows.
    Signal<> hideRequested;

private:
    Result saveTag(const std::string& filPath, bool delTag);
    Result writeTag(const std::string& filPath, bool delTag);
    void renameStep();
    void reportFailure(const Result& failure);
    void showGenre(bool alsoSorted);

    Dialogs& dialogs_;
    PlaylistModel& model_;
    PlaylistCommands& commands_;
    const IniStore& ini_;
    PlayingFile playingFile_;
    std::function<void()> showModal_;
    EditorSettings settings_;
    bool remembered_ = false; // wriTagIni ran since the start

    std::array<std::string, kFields> fields_;
    TagValues loaded_; // the values the file showed when it was loaded
    std::array<std::vector<std::string>, kFields> dropLists_;
    int tagGenre_ = 0;
    std::string genreText_, genreSortText_;
    bool standardGenreShown_ = false;
    std::string fileName_, proposal_, folder_, tagFile_;
    std::array<bool, 3> checked_{};
    std::array<bool, 3> checkEnabled_{false, true, false};
    bool proposalEnabled_ = false;
    std::array<std::string, 6> labels_{"Title", "Artist", "Album", "Genre", "Year", "Comment"};
    Connections connections_;
};

} // namespace vantrel
