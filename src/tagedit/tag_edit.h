#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "metadata/track_tag.h"

namespace vantrel {

// The steps of editing a file's tag, shared by the tag editor window and vantrel-cli.
namespace tagedit {

// A genre given as a number 0..255 or by its name in any letter case.
std::optional<std::uint8_t> parseGenre(std::string_view text);

// Splits "--title T", "--title=T" (and artist, album, year, comment, genre) from the files;
// "--" ends the options. Fails with the reason on an unknown option, a missing value, an
// unknown genre, no field to change or no file.
Result parseFieldArgs(const std::vector<std::string>& args, TagChanges& changes,
                      std::vector<std::string>& files);

// The tag to edit; fails for a file that cannot be read or is too short to carry one.
Result readForEdit(const std::filesystem::path& file, TagRead& tag);

// The block a save writes: the file's values with the changes made. A file without a tag
// starts from empty texts and no genre (255).
std::string composeEdited(const TagRead& tag, const TagChanges& changes);

// Reads, changes and writes the tag of one file (the changed fields also in an ID3v2 tag the
// file has); the file is left as it was on failure.
Result applyChanges(const std::filesystem::path& file, const TagChanges& changes);

// Writes the blank block (and takes the fields out of an ID3v2 tag): how a tag is deleted.
Result deleteTag(const std::filesystem::path& file);

} // namespace tagedit
} // namespace vantrel
