#pragma once

#include "base/result.h"
#include "metadata/id3v1_block.h"
#include "metadata/id3v2_tag.h"

#include <filesystem>
#include <string_view>

namespace vantrel {

// The tag of a track wherever tag fields are used (list rows, ticker, media controls, exports,
// renamer, tag editor, vantrel-cli). A file's ID3v1 tag is its tag; a file without one shows
// the fields of its ID3v2 tag, read only for files that begin with one. Keeps no state: safe to
// call from any thread. Fails only when the file cannot be read.
Result readTrackTag(const std::filesystem::path& file, TagRead& out);

// Writes the ID3v1 block as id3v1::PutIDTag does and, when the file begins with an ID3v2 tag,
// sets the fields given in `id3v2Fields` there too. A file with an ID3v2 tag is rewritten as a
// whole into a new file that replaces it, so a failure leaves the file exactly as it was.
Result writeTrackTag(const std::filesystem::path& file, std::string_view block,
                     const TagChanges& id3v2Fields);

// Writes the blank ID3v1 block and takes the six fields out of an ID3v2 tag, keeping its other
// frames; as safe as writeTrackTag.
Result deleteTrackTag(const std::filesystem::path& file);

} // namespace vantrel
