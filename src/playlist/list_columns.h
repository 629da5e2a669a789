#pragma once

#include "base/twips.h"
#include "playlist/header_set.h"

#include <array>
#include <string>
#include <vector>

namespace vantrel {

enum class SortOrder { Ascending, Descending };

// One column of the playlist: the field it shows, its header key (" 3@" for field 3), its plain
// caption and the header text shown, which may carry the sort mark.
struct ListColumn {
    int field = 0;
    std::string key;
    std::string caption;
    std::string header;
};

// The playlist's columns in creation order, as toglHeaders builds them from a header set.
// Columns are numbered from 1, as the list addresses them.
class ListColumns {
public:
    // Width of a freshly built column (1440 twips, one inch); the view starts columns at it.
    static constexpr int kNewColumnWidthPixels = pixelsFromTwips(1440);

    ListColumns() = default;
    ListColumns(const HeaderSet& set, const FieldCaptions& captions);

    int count() const { return static_cast<int>(columns_.size()); }
    const ListColumn& column(int c) const { return columns_.at(c - 1); }
    bool fieldShown(int field) const { return fieldShown_.at(field); }
    // Captions of all eleven fields, shown or not (the tag editor labels its boxes with them).
    const std::string& fieldCaption(int field) const { return captions_.at(field); }
    // The plain captions of the created columns, entry c - 1 for column c.
    const std::vector<std::string>& lstCols() const { return lstCols_; }

    // Restores every header to its caption, then marks column c: blanks as many as the
    // column's width in twips / 100, then "A>Z" ascending or "A<Z" descending.
    void markSort(int c, SortOrder order, int widthPixels);

    static std::string sortMark(SortOrder order, int widthPixels);

private:
    std::vector<ListColumn> columns_;
    std::array<bool, kHeaderPositions> fieldShown_{};
    FieldCaptions captions_;
    std::vector<std::string> lstCols_;
};

} // namespace vantrel
