#pragma once

#include "base/signal.h"
#include "playlist/list_columns.h"

#include <string>
#include <vector>

namespace vantrel {

class PlaylistRows;
struct PlaylistRow;

// The list's sort state (column, order, whether rows added are placed by it) and the search
// column lstFind built from it. Cells compare as text (cell_collation.h).
class PlaylistSort {
public:
    PlaylistSort(PlaylistRows& rows, const ListColumns& columns);

    // sortColumn is 0 for the first column, c - 1 for column c.
    int sortColumn() const { return sortColumn_; }
    SortOrder sortOrder() const { return sortOrder_; }
    bool autoSort() const { return autoSort_; }

    // The fresh state of new columns: first column, ascending, automatic sorting on.
    void restart();
    // Sorts by column c (1-based) in the opposite order of the last sort, automatic sorting on.
    void sortBy(int column);
    // A dragged row was dropped: rows added from now on go to the end.
    void stopAutoSort() { autoSort_ = false; }
    // Where a new row goes (1-based): after the rows it equals when sorting automatically,
    // else at the end.
    int insertionIndex(const PlaylistRow& row) const;

    // The search column: entry i (0-based) is the sort column's cell of row i + 1 at the last
    // refill. Rows added or moved since may have shifted, so lstFindRow gives the row entry i
    // was taken from wherever it is now (0 when it is gone); a search selects that row.
    void refilLst();
    const std::vector<std::string>& lstFind() const { return lstFind_; }
    int lstFindRow(std::size_t entry) const;

private:
    int sortField() const;

    PlaylistRows& rows_;
    const ListColumns& columns_;
    int sortColumn_ = 0;
    SortOrder sortOrder_ = SortOrder::Ascending;
    bool autoSort_ = false;
    std::vector<std::string> lstFind_;
    std::vector<std::string> lstFindKeys_;
    Connection rekeyed_;
};

} // namespace vantrel
