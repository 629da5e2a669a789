#pragma once

#include "playlist/row_cells.h"

#include <string>

namespace vantrel {

// One playlist row: the file's full path as its unique key, the cell text of every field
// (only the fields with a column are filled) and its selection mark.
struct PlaylistRow {
    std::string key;
    RowCells fields;
    bool selected = false;
};

} // namespace vantrel
