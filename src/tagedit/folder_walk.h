#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace vantrel::tagedit {

// The folder search's walk, shared by the folder browser, vantrel-cli and whoever adds a
// dropped folder's files in the same order.

// A file name matches a search pattern ("*.mp3", "*.*") as the glob does, letter case
// ignored: the pattern names a type of file, and "Song.MP3" is one.
bool matchesPattern(std::string_view name, std::string_view pattern);

struct WalkOptions {
    // Stay on the folder's own file system (a drive search: other drives come on their own).
    bool oneFileSystem = false;
};

// Called with the full path of each entry of a folder that matches the pattern, whatever its
// kind, in the folder's listing order; returning false stops the walk.
using WalkMatch = std::function<bool(const std::string& path)>;
// Called after a folder's own matches, before its subfolders (the window shows its list then).
using WalkFolderDone = std::function<void(const std::string& folder)>;

// Depth first: a folder's matches, then each subfolder's whole tree in listing order.
// Folders named with a leading "." are not entered, a symbolic link to a folder is never
// followed (so a link loop ends), and unreadable folders are passed over. False when stopped.
bool walkFolder(const std::string& folder, std::string_view pattern, const WalkMatch& onMatch,
                const WalkFolderDone& onFolderDone = {}, WalkOptions options = {});

} // namespace vantrel::tagedit
