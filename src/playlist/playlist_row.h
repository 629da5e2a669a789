#pragma once

#include "metadata/track_fields.h"

#include <array>
#include <string>

namespace vantrel {

// One playlist row: the file's full path as its unique key, the cell text of every field
// (only the fields with a column are filled) and its selection mark.
struct PlaylistRow {
    std::string key;
    std::array<std::string, kTrackFieldCount> fields;
    bool selected = false;
};

} // namespace vantrel
