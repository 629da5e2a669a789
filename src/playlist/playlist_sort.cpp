#include "playlist/playlist_sort.h"

#include "playlist/cell_collation.h"
#include "playlist/playlist_rows.h"

#include <algorithm>

namespace vantrel {

PlaylistSort::PlaylistSort(PlaylistRows& rows, const ListColumns& columns)
    : rows_(rows), columns_(columns) {
    // A search after a rename must still find the renamed row.
    rekeyed_ = rows_.rekeyed.connect([this](int index, const std::string& oldKey) {
        std::replace(lstFindKeys_.begin(), lstFindKeys_.end(), oldKey, rows_.row(index).key);
    });
}

int PlaylistSort::sortField() const {
    return sortColumn_ < columns_.count() ? columns_.column(sortColumn_ + 1).field : -1;
}

void PlaylistSort::restart() {
    sortColumn_ = 0;
    sortOrder_ = SortOrder::Ascending;
    autoSort_ = true;
}

void PlaylistSort::sortBy(int column) {
    sortColumn_ = column - 1;
    sortOrder_ = sortOrder_ == SortOrder::Ascending ? SortOrder::Descending : SortOrder::Ascending;
    autoSort_ = true;
    const int field = sortField();
    if (field < 0) return;
    const bool ascending = sortOrder_ == SortOrder::Ascending;
    rows_.sort([&](const PlaylistRow& a, const PlaylistRow& b) {
        const int order = compareCells(a.fields[field], b.fields[field]);
        return ascending ? order < 0 : order > 0;
    });
}

int PlaylistSort::insertionIndex(const PlaylistRow& row) const {
    const int field = sortField();
    if (!autoSort_ || field < 0) return rows_.count() + 1;
    const std::string& text = row.fields[field];
    const bool ascending = sortOrder_ == SortOrder::Ascending;
    // Binary search for the first row that must come after the new one.
    int low = 1, high = rows_.count() + 1;
    while (low < high) {
        const int middle = low + (high - low) / 2;
        const int order = compareCells(rows_.row(middle).fields[field], text);
        if (ascending ? order <= 0 : order >= 0)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

void PlaylistSort::refilLst() {
    lstFind_.clear();
    lstFindKeys_.clear();
    const int field = sortField();
    if (field < 0) return;
    lstFind_.reserve(static_cast<std::size_t>(rows_.count()));
    lstFindKeys_.reserve(static_cast<std::size_t>(rows_.count()));
    for (int i = 1; i <= rows_.count(); ++i) {
        lstFind_.push_back(rows_.row(i).fields[field]);
        lstFindKeys_.push_back(rows_.row(i).key);
    }
}

int PlaylistSort::lstFindRow(std::size_t entry) const {
    return entry < lstFindKeys_.size() ? rows_.indexOf(lstFindKeys_[entry]) : 0;
}

} // namespace vantrel
