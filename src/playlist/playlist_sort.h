#pragma once

#include "base/signal.h"
#include "playlist/list_columns.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
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

    // The search column: entry i (0-based) is the sort column's cell of the row that stood at
    // i + 1 at the last refill. Rows added or moved since may have shifted, so lstFindRow gives
    // the row entry i was taken from wherever it is now (0 when it is gone); a search selects
    // that row. The entries point into the rows instead of copying them; a row that leaves
    // leaves its text and key behind with its entry.
    void refilLst();
    // Empties the search column before the rows go all at once (a refill follows).
    void dropLst();
    std::size_t lstFindCount() const { return lstFind_.size(); }
    std::string_view lstFindText(std::size_t entry) const;
    int lstFindRow(std::size_t entry) const;
    // The first entry, from `from` on, whose text begins with `text` (letter case of A-Z
    // ignored); lstFindCount() when none does.
    std::size_t lstFindFirst(std::string_view text, std::size_t from = 0) const;
    // A copy of every entry's text.
    std::vector<std::string> lstFind() const;

private:
    int sortField() const;
    void recordLeaving(const PlaylistRow& row);

    struct Gone {
        std::string key, text;
    };

    PlaylistRows& rows_;
    const ListColumns& columns_;
    int sortColumn_ = 0;
    SortOrder sortOrder_ = SortOrder::Ascending;
    bool autoSort_ = false;
    int lstField_ = -1;
    std::vector<const PlaylistRow*> lstFind_; // null once the row left
    std::vector<std::uint64_t> lstPrefix_;    // the first bytes of each text, A-Z folded
    std::unordered_map<std::size_t, Gone> gone_;
    std::vector<Connection> connections_;
};

} // namespace vantrel
