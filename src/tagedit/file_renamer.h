#pragma once

#include "base/result.h"
#include "metadata/id3v2_tag.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel::tagedit {

// The file renamer's name templates and the rename itself, shared by the tag editor and
// vantrel-cli.

enum class NameTemplate { Title, TitleArtist, TitleArtistAlbum };

// The template the three "Use" boxes choose (elements 0 Artist, 1 Title, 2 Album); none for
// the combinations that leave the proposal as it is.
std::optional<NameTemplate> templateFor(const std::array<bool, 3>& checked);

// The proposed file name: the field texts, cut at a NUL and trimmed of blanks, joined by
// " - ", with ".mp3". A "/" inside a field would make the name a folder path, so it becomes
// "-"; a control character (a line break) would break a line in every list of names, so it
// becomes a blank.
std::string proposeName(NameTemplate use, std::string_view title, std::string_view artist,
                        std::string_view album);

// Why a file name cannot be a rename's target: one that is empty or only dots before its
// ".mp3" would hide the file (".mp3", "..mp3") or name a folder, and a control character
// would break lines. Empty when the name can be taken.
std::string nameProblem(std::string_view fileName);

// The templates in reverse: a file name's fields, split at " - " with the extension dropped
// (title; title and artist; title, artist and album). None when the name does not split into
// exactly the template's parts or a part is blank.
std::optional<TagChanges> fieldsFromName(NameTemplate use, std::string_view fileName);

// Renames without ever replacing: an existing target, a missing folder, an overlong name and a
// name with a nameProblem are refused with the reason, and the file stays where it was.
// Renaming a file to its own path does nothing.
Result renameNoReplace(const std::string& from, const std::string& to);
// What renameNoReplace would say now without renaming: a nameProblem, or a target that exists.
Result renameCheck(const std::string& from, const std::string& to);

} // namespace vantrel::tagedit
