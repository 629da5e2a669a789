#pragma once

#include "base/signal.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vantrel {

class Dialogs;
class IniStore;
class Mp3Play;
class PlaylistModel;
class ReadAhead;
struct PlaylistRow;
struct TrackRead;

// The playlist operations that reach outside the model: building the columns from the
// settings, adding a file as a row (its tag and its stream values from the probe player),
// the list statistics and opening the tag editor on the selection.
class PlaylistCommands {
public:
    // Opens the tag editor on one row and returns when it is closed.
    using EditorOpener = std::function<void(const std::string& key)>;

    // probe is the second player instance, Mp3Play2, used only to open files for their values.
    PlaylistCommands(PlaylistModel& model, Mp3Play& probe, Dialogs& dialogs, const IniStore& ini);
    ~PlaylistCommands();

    // Lets `workers` threads read added files ahead of the list (see readAhead), each with a
    // probing player of its own, made by makeProbe on that worker's thread.
    using ProbeMaker = std::function<std::unique_ptr<Mp3Play>()>;
    void setReadAhead(int workers, ProbeMaker makeProbe);
    // The paths a long add is about to give GetListTag one by one, in that order: the workers
    // read them meanwhile, and the rows still enter in the order GetListTag is called. An
    // empty list ends the add (what was not asked for is dropped). Nothing without workers.
    void readAhead(std::vector<std::string> paths);

    // Rebuilds the columns from the settings (repairing a damaged set) and empties the list.
    void toglHeaders();

    // Adds the file as a row; true when a row was added. Empty paths, missing files, anything
    // but a regular file, files under 129 bytes, files already listed and files the probe
    // cannot open are skipped without a message. The first row of a list that has no current
    // track yet is selected and made current.
    bool GetListTag(const std::string& filPath);

    // Raised with the genre number whenever a row's genre cell is filled from a tag.
    Signal<std::uint8_t> genreCell;

    // The list commands by menu element: 0 clear, 1 crop, 2 remove, 3 invert selection.
    void mnuEdLvItm(int element);

    // "List Stats": the total play time of the selected rows and of all rows.
    void listStats();

    // Opens the editor once for each row selected when called, in list order; a row the
    // editor removed meanwhile is passed over.
    void editSelected();
    void setEditorOpener(EditorOpener opener) { editorOpener_ = std::move(opener); }

private:
    void fillCells(const std::string& path, const TrackRead& read, PlaylistRow& row) const;

    PlaylistModel& model_;
    Mp3Play& probe_;
    Dialogs& dialogs_;
    const IniStore& ini_;
    EditorOpener editorOpener_;
    std::unique_ptr<ReadAhead> readAhead_;
};

} // namespace vantrel
