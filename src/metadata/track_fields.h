#pragma once

#include "metadata/id3v1_block.h"

#include <array>
#include <string>
#include <string_view>

namespace vantrel {

// The eleven fields a playlist row can show, by their field numbers.
enum class TrackField {
    FileName = 0,
    FullPath = 1,
    Title = 2,
    Artist = 3,
    Album = 4,
    GenreName = 5,
    Year = 6,
    Comment = 7,
    PlayTime = 8,
    SampleRate = 9,
    BitRate = 10,
};
constexpr int kTrackFieldCount = 11;
constexpr int kTagFieldCount = 8; // fields 0..7 come from the path and the tag

// Text as a control shows it: up to its first NUL, as tools pad tag fields with NULs.
std::string_view shownText(std::string_view text);

// Cells of fields 0..7 for a file: its name and path, then the tag's texts and genre name
// (empty when the file holds no tag).
std::array<std::string, kTagFieldCount> tagCells(const std::string& path, const TagRead& tag);

} // namespace vantrel
