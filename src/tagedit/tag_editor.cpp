#include "tagedit/tag_editor.h"

#include "base/ascii_text.h"
#include "metadata/genre_table.h"
#include "metadata/track_fields.h"
#include "metadata/track_tag.h"
#include "platform/dialogs.h"
#include "playlist/playlist_commands.h"
#include "playlist/playlist_model.h"
#include "tagedit/file_renamer.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace vantrel {

namespace {

// A genre number as the editor holds it: 0..255 (a damaged setting means no genre).
int genreNumber(int n) {
    return n >= 0 && n <= 255 ? n : 255;
}

// The drop-down lists' alphabetical order ignores letter case, as sorted lists do.
bool lessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return asciiLower(x) < asciiLower(y);
    });
}

// The fields a save changes in an ID3v2 tag: a text the user left as it was keeps its full
// length there, though the editor's and the ID3v1 block's widths are shorter.
TagChanges changedFields(const TagValues& loaded, const TagValues& saved) {
    auto differ = [](const std::string& a, const std::string& b) {
        return trimmed(shownText(a)) != trimmed(shownText(b));
    };
    TagChanges changes;
    const std::pair<const std::string TagValues::*, std::optional<std::string> TagChanges::*>
        texts[] = {{&TagValues::title, &TagChanges::title},
                   {&TagValues::artist, &TagChanges::artist},
                   {&TagValues::album, &TagChanges::album},
                   {&TagValues::year, &TagChanges::year},
                   {&TagValues::comment, &TagChanges::comment}};
    for (const auto& [value, change] : texts)
        if (differ(loaded.*value, saved.*value)) changes.*change = saved.*value;
    if (loaded.genre != saved.genre) changes.genre = saved.genre;
    return changes;
}

} // namespace

TagEditor::TagEditor(Dialogs& dialogs, PlaylistModel& model, PlaylistCommands& commands,
                     const IniStore& ini, PlayingFile playingFile)
    : dialogs_(dialogs), model_(model), commands_(commands), ini_(ini),
      playingFile_(std::move(playingFile)) {
    connections_.push_back(commands_.genreCell.connect([this](std::uint8_t g) { tagGenre_ = g; }));
    connections_.push_back(model_.columnsRebuilt.connect([this] {
        for (int field = 2; field <= 7; ++field)
            labels_[field - 2] = model_.columns().fieldCaption(field);
        changed();
    }));
}

void TagEditor::load() {
    settings_.load(ini_);
    for (int k = 0; k < kFields; ++k)
        addDropFil(k, settings_.tagFields[k]);
    tagGenre_ = genreNumber(settings_.rememberedGenre);
    genreText_ = std::string(genres::name(tagGenre_));
    toglGenre(settings_.genreStandardOrder);
}

void TagEditor::saveOnExit() const {
    EditorSettings shown = settings_;
    shown.genreStandardOrder = standardGenreShown_;
    shown.save(ini_);
    if (remembered_)
        EditorSettings::saveFields(ini_, settings_.tagFields, settings_.rememberedGenre);
}

void TagEditor::editRow(const std::string& key) {
    if (!GetIDTag(key)) return;
    if (showModal_) showModal_();
}

bool TagEditor::GetIDTag(const std::string& filPath) {
    std::error_code error;
    if (filPath.empty() || !std::filesystem::is_regular_file(filPath, error)) return false;
    TagRead tag;
    if (!readTrackTag(filPath, tag) || tag.state == TagState::TooShort) return false;
    tagFile_ = filPath;
    const std::filesystem::path path(filPath);
    fileName_ = path.filename().string();
    folder_ = filPath.substr(0, filPath.size() - fileName_.size());

    loaded_ = tag.state == TagState::Tagged ? tag.values : TagValues{};
    if (tag.state == TagState::Untagged) {
        fields_ = {};
        fields_[Title] = fileName_;
        // The carried-over genre is what a save writes, so it is what the boxes show.
        showGenre(true);
        changed();
        return true;
    }
    const TagValues& v = tag.values;
    const std::pair<Field, const std::string*> read[] = {{Title, &v.title},
                                                         {Artist, &v.artist},
                                                         {Album, &v.album},
                                                         {Comment, &v.comment},
                                                         {Year, &v.year}};
    for (const auto& [field, value] : read) {
        const std::string text(shownText(*value));
        if (trimmed(text).empty()) continue; // the previous track's text stays
        fields_[field] = text;
        addDropFil(field, text);
    }
    tagGenre_ = v.genre;
    showGenre(true);
    setRenTempl();
    changed();
    return true;
}

void TagEditor::addDropFil(int index, const std::string& text) {
    std::vector<std::string>& list = dropLists_[index];
    if (text.empty() || std::find(list.begin(), list.end(), text) != list.end()) return;
    list.insert(std::upper_bound(list.begin(), list.end(), text, lessIgnoringCase), text);
}

Result TagEditor::saveTag(const std::string& filPath, bool delTag) {
    if (playingFile_.release) playingFile_.release();
    Result written = writeTag(filPath, delTag);
    // Written or not, the track plays on.
    if (playingFile_.reopen) playingFile_.reopen();
    return written;
}

Result TagEditor::writeTag(const std::string& filPath, bool delTag) {
    if (delTag) {
        if (dialogs_.message("Press OK to DELETE the Music Tag from the file", "Edit Tag",
                             Dialogs::Buttons::OkCancel,
                             Dialogs::Icon::Warning) != Dialogs::Answer::Ok)
            return Result::ok();
        return deleteTrackTag(filPath);
    }
    TagValues values{
        std::string(shownText(fields_[Title])),   std::string(shownText(fields_[Artist])),
        std::string(shownText(fields_[Album])),   std::string(shownText(fields_[Year])),
        std::string(shownText(fields_[Comment])), static_cast<std::uint8_t>(tagGenre_)};
    return writeTrackTag(filPath, id3v1::compose(values), changedFields(loaded_, values));
}

void TagEditor::reportFailure(const Result& failure) {
    dialogs_.message(failure.error(), "Edit Tag", Dialogs::Buttons::Ok, Dialogs::Icon::Critical);
}

void TagEditor::cmdSave() {
    // A file that cannot be written keeps its tag, its name and its row.
    if (Result saved = saveTag(tagFile_, false); !saved) {
        reportFailure(saved);
    } else {
        model_.removeRow(tagFile_);
        if (checked_[UseTitle]) renameStep();
        commands_.GetListTag(tagFile_);
    }
    wriTagIni();
    hideRequested();
}

void TagEditor::renameStep() {
    std::optional<std::string> answer = dialogs_.input(
        "Rename:\r\n" + tagFile_ +
            "\r\n\r\nSelect OK to rename the file Above to the Name Below\r\nThe Folder Name "
            "will be added",
        "Rename File", proposal_);
    if (!answer || answer->empty()) return;
    const std::string target = folder_ + *answer;
    if (Result renamed = tagedit::renameNoReplace(tagFile_, target); !renamed) {
        reportFailure(renamed); // the row comes back under the old name
        return;
    }
    tagFile_ = target;
}

void TagEditor::cmdDel() {
    if (Result deleted = saveTag(tagFile_, true); !deleted) reportFailure(deleted);
    fields_ = {};
    changed();
}

void TagEditor::cmdDone() {
    wriTagIni();
    hideRequested();
}

void TagEditor::wriTagIni() {
    settings_.tagFields = fields_;
    settings_.rememberedGenre = tagGenre_;
    remembered_ = true;
    // Written now, so a program that is killed keeps them; the six keys in one replace of the
    // file, which a run of saves can afford.
    IniStore::Batch batch = ini_.beginBatch();
    EditorSettings::saveFields(ini_, settings_.tagFields, settings_.rememberedGenre);
}

void TagEditor::chkFileAsClick(int element, bool checked) {
    checked_[element] = checked;
    switch (element) {
    case UseTitle:
        if (checked)
            dialogs_.message("File Re-Naming will be done when you press\"Add Changes\" button to "
                             "add the Tag information at the same time",
                             "File Re-Naming", Dialogs::Buttons::Ok, Dialogs::Icon::Information);
        checkEnabled_[UseArtist] = checked;
        if (!checked) checkEnabled_[UseAlbum] = false;
        proposalEnabled_ = checked;
        break;
    case UseArtist:
        checkEnabled_[UseAlbum] = checked;
        break;
    default:
        break;
    }
    setRenTempl();
    changed();
}

void TagEditor::cmdFromName() {
    const tagedit::NameTemplate use =
        tagedit::templateFor(checked_).value_or(tagedit::NameTemplate::Title);
    const std::optional<TagChanges> named = tagedit::fieldsFromName(use, fileName_);
    if (!named) {
        dialogs_.message("The File Name does not split into the Tag Fields chosen at \" - \"",
                         "Edit Tag", Dialogs::Buttons::Ok, Dialogs::Icon::Information);
        return;
    }
    fields_[Title] = *named->title;
    if (named->artist) fields_[Artist] = *named->artist;
    if (named->album) fields_[Album] = *named->album;
    setRenTempl();
    changed();
}

void TagEditor::setRenTempl() {
    if (std::optional<tagedit::NameTemplate> use = tagedit::templateFor(checked_))
        proposal_ = tagedit::proposeName(*use, fields_[Title], fields_[Artist], fields_[Album]);
}

void TagEditor::showGenre(bool alsoSorted) {
    genreText_ = std::string(genres::name(tagGenre_));
    if (!alsoSorted) return;
    for (const genres::SortedGenre& g : genres::alphabetical())
        if (g.number == tagGenre_) genreSortText_ = std::string(g.name);
}

void TagEditor::chooseGenre(int number) {
    if (number < 0 || number >= genres::kCount) return;
    tagGenre_ = number;
    genreSortText_ = std::string(genres::name(number));
    changed();
}

void TagEditor::chooseSortedGenre(int position) {
    if (position < 0 || position >= genres::kCount) return;
    tagGenre_ = genres::alphabetical()[position].number;
    genreText_ = std::string(genres::name(tagGenre_));
    changed();
}

void TagEditor::cmdSortGenre() {
    toglGenre(!standardGenreShown_);
}

void TagEditor::toglGenre(bool standardOrder) {
    standardGenreShown_ = standardOrder;
    changed();
}

} // namespace vantrel
