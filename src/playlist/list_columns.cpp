#include "playlist/list_columns.h"

#include "base/number_text.h"

#include <algorithm>

namespace vantrel {

ListColumns::ListColumns(const HeaderSet& set, const FieldCaptions& captions)
    : captions_(captions) {
    for (const HeaderEntry& entry : set) {
        fieldShown_.at(entry.field) = entry.shown;
        if (!entry.shown) continue;
        const std::string& caption = captions_[entry.field];
        lstCols_.push_back(caption);
        columns_.push_back({entry.field, numberText(entry.field) + "@", caption, caption});
    }
}

void ListColumns::markSort(int c, SortOrder order, int widthPixels) {
    for (std::size_t i = 0; i < columns_.size(); ++i)
        columns_[i].header = lstCols_[i];
    if (c < 1 || c > count()) return;
    columns_[c - 1].header += sortMark(order, widthPixels);
}

std::string ListColumns::sortMark(SortOrder order, int widthPixels) {
    const int blanks = std::max(0, widthPixels) * kTwipsPerPixel / 100;
    return std::string(blanks, ' ') + (order == SortOrder::Ascending ? "A>Z" : "A<Z");
}

} // namespace vantrel
