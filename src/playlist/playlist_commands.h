#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vantrel {

class Dialogs;
class IniStore;
class Mp3Play;
class PlaylistModel;

// The playlist operations that reach outside the model: building the columns from the
// settings, adding a file as a row (its tag and its stream values from the probe player),
// the list statistics and opening the tag editor on the selection.
class PlaylistCommands {
public:
    // Opens the tag editor on one row and returns when it is closed.
    using EditorOpener = std::function<void(const std::string& key)>;
    using GenreHook = std::function<void(std::uint8_t genre)>;

    // probe is the second player instance, Mp3Play2, used only to open files for their values.
    PlaylistCommands(PlaylistModel& model, Mp3Play& probe, Dialogs& dialogs, const IniStore& ini);

    // Rebuilds the columns from the settings (repairing a damaged set) and empties the list.
    void toglHeaders();

    // Adds the file as a row; true when a row was added. Empty paths, missing files, anything
    // but a regular file, files under 129 bytes, files already listed and files the probe
    // cannot open are skipped without a message.
    bool GetListTag(const std::string& filPath);
    // Told the genre number whenever a row's genre cell is filled from a tag.
    void onGenreCell(GenreHook hook) { genreHooks_.push_back(std::move(hook)); }

    // "List Stats": the total play time of the selected rows and of all rows.
    void listStats();

    // Opens the editor once for each row selected when called, in list order; a row the
    // editor removed meanwhile is passed over.
    void editSelected();
    void setEditorOpener(EditorOpener opener) { editorOpener_ = std::move(opener); }

private:
    PlaylistModel& model_;
    Mp3Play& probe_;
    Dialogs& dialogs_;
    const IniStore& ini_;
    EditorOpener editorOpener_;
    std::vector<GenreHook> genreHooks_;
};

} // namespace vantrel
