#pragma once

#include <filesystem>
#include <string>

namespace vantrel {

// The running program's own file, resolved through /proc/self/exe; empty when that fails.
std::filesystem::path executableFile();

// The program folder with its trailing "/": the settings file, the hand-off file, the help
// page and the background pictures live there.
std::string appFolder();

// Where a program keeps what it writes (the settings and the hand-off file) and what it only
// reads (the help page and the background pictures). Both folders end in "/".
struct ProgramFolders {
    std::string settings;
    std::string shared;
    // The file whose lock marks a running instance: the program itself when it runs from its
    // own folder, an empty file in the user's settings folder when it is installed, so that two
    // users of one installed program each have their own instance. (Not the folder: settings
    // writes take turns by locking it.)
    std::filesystem::path instanceLock;
    bool installed = false;
};

// A program run from a folder it may write, outside an installed tree, keeps everything beside
// itself. An installed one (its data in ../share/vantrel/) or one whose folder is read-only
// keeps its settings in $XDG_CONFIG_HOME/vantrel/ (or ~/.config/vantrel/) and reads its data
// from the share folder. Only decides; creates nothing.
ProgramFolders chooseProgramFolders(const std::filesystem::path& executable, bool folderWritable,
                                    const std::string& xdgConfigHome, const std::string& home);

// The folders of this run. An installed program's settings folder is created on first start
// and seeded with the shipped settings; a failure there is left for the settings writes to
// report.
ProgramFolders programFolders();

} // namespace vantrel
