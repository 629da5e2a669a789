#pragma once

#include "base/result.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace vantrel {

// The six values of an ID3v1 tag. Texts are UTF-8 with surrounding blanks removed; NUL bytes
// that other tools pad with stay in the value (what shows it cuts at the first NUL).
struct TagValues {
    std::string title, artist, album, year, comment;
    std::uint8_t genre = 0;

    bool operator==(const TagValues&) const = default;
};

enum class TagState {
    TooShort, // under 129 bytes: never read, never written
    Untagged,
    Tagged,
};

struct TagRead {
    TagState state = TagState::Untagged;
    TagValues values; // meaningful when Tagged
};

// The 128-byte block at the very end of an MP3 file. A block is only ever the last 128 bytes:
// letters "TAG" anywhere else near the end are audio data, so such a file counts as untagged
// and a save appends a block instead of overwriting audio.
namespace id3v1 {

constexpr std::size_t kBlockSize = 128;
constexpr std::uintmax_t kMinFileLength = 129;

// The block begins with the marker "TAG" in any letter case.
bool isBlock(std::string_view last128);

// The values of a block (128 bytes that pass isBlock).
TagValues takeFields(std::string_view block);

// The block for these values: each text trimmed, cut to its field's width and padded with
// blanks; characters the tag's code page cannot hold become "?".
std::string compose(const TagValues& values);

// "TAG" and 125 blanks: five empty texts and genre 32. Writing it is how a tag is deleted.
std::string blank();

// Reads the tag of a file; fails only when the file cannot be read.
Result readTag(const std::filesystem::path& file, TagRead& out);
// The same on a file already open for reading, of `length` bytes (`file` names it in errors).
Result readTagFrom(const std::filesystem::path& file, int fd, std::uintmax_t length, TagRead& out);

// Writes a composed block over the file's tag, or appends it to an untagged file. A file that
// is missing, too short or cannot be written fails and is left exactly as it was.
Result PutIDTag(const std::filesystem::path& file, std::string_view block);

} // namespace id3v1
} // namespace vantrel
