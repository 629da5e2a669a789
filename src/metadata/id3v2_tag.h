#pragma once

#include "base/result.h"
#include "metadata/id3v1_block.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

// Changes to a tag: each field given replaces that field, the others keep what the file holds.
struct TagChanges {
    std::optional<std::string> title, artist, album, year, comment;
    std::optional<std::uint8_t> genre;

    bool empty() const;
    void applyTo(TagValues& values) const;
};

// A picture held in a tag.
struct TagPicture {
    std::string mimeType;
    std::string bytes;
};

// The ID3v2 tag at the start of a file, read and edited with TagLib. Only the six fields the
// program knows are touched; every other frame, the tag's version (2.3 or 2.4) and the audio
// after the tag are kept. Reads are bounded by the file's size, whatever a header claims.
namespace id3v2 {

constexpr std::size_t kHeaderSize = 10;

// The first bytes of a file say it begins with an ID3v2 tag.
bool startsWithTag(std::string_view firstBytes);

// The six fields of the file's ID3v2 tag, as the program holds them: title TIT2, artist TPE1,
// album TALB, year TYER/TDRC (its leading digits, at most four), comment COMM (the first
// without a description), genre TCON mapped to the genre table (255 when it names none).
// `found` is false for a file without a tag or with none of the six fields; fails only when
// the file cannot be read.
Result readFields(const std::filesystem::path& file, TagValues& out, bool& found);
// The same on a file already open for reading, of `length` bytes.
Result readFieldsFrom(const std::filesystem::path& file, int fd, std::uintmax_t length,
                      TagValues& out, bool& found);

// The front cover, else the first picture; `found` false when the tag holds none.
Result readPicture(const std::filesystem::path& file, TagPicture& out, bool& found);

// Edits the tag at the start of a whole file held in memory: sets the fields given (genre
// 126..255 removes it) or, with `removeFields`, takes the six fields out. False when the
// bytes hold no tag TagLib can read, or it cannot render one.
bool editFields(std::string& fileBytes, const TagChanges& changes, bool removeFields);

} // namespace id3v2
} // namespace vantrel
