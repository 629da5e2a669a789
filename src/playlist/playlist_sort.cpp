#include "playlist/playlist_sort.h"

#include "playlist/cell_collation.h"
#include "playlist/playlist_rows.h"

#include <algorithm>
#include <numeric>

namespace vantrel {

namespace {

char findFolded(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The first eight bytes of a text as the search folds them, the first in the top byte.
std::uint64_t findPrefix(std::string_view text) {
    std::uint64_t prefix = 0;
    for (std::size_t i = 0; i < 8; ++i)
        prefix =
            prefix << 8 | (i < text.size() ? static_cast<unsigned char>(findFolded(text[i])) : 0u);
    return prefix;
}

bool beginsWithFolded(std::string_view cell, std::string_view text) {
    if (cell.size() < text.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (findFolded(cell[i]) != findFolded(text[i])) return false;
    return true;
}

// The first eight bytes of a cell as the sort folds them: numbers that order as the texts'
// starts do, so most comparisons of a sort never reach the texts.
std::uint64_t sortPrefix(std::string_view text) {
    std::uint64_t prefix = 0;
    for (std::size_t i = 0; i < 8; ++i)
        prefix = prefix << 8 | (i < text.size() ? foldedCellByte(text, i) : 0u);
    return prefix;
}

} // namespace

PlaylistSort::PlaylistSort(PlaylistRows& rows, const ListColumns& columns)
    : rows_(rows), columns_(columns) {
    connections_.push_back(
        rows_.leaving.connect([this](const PlaylistRow& row) { recordLeaving(row); }));
    // Rows that go all at once are not looked at one by one: the search column goes first.
    connections_.push_back(rows_.aboutToReset.connect([this] { dropLst(); }));
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
    // Sorted as (prefix, place) pairs in one array; only rows whose prefixes tie compare
    // their whole texts, and the place keeps equal rows in their order.
    const auto n = static_cast<std::uint32_t>(rows_.count());
    std::vector<std::pair<std::uint64_t, std::uint32_t>> keys(n);
    for (std::uint32_t i = 0; i < n; ++i)
        keys[i] = {sortPrefix(rows_.row(int(i) + 1).fields[field]), i};
    std::sort(keys.begin(), keys.end(), [&](const auto& a, const auto& b) {
        if (a.first != b.first) return ascending ? a.first < b.first : a.first > b.first;
        const int order = compareCells(rows_.row(int(a.second) + 1).fields[field],
                                       rows_.row(int(b.second) + 1).fields[field]);
        if (order != 0) return ascending ? order < 0 : order > 0;
        return a.second < b.second;
    });
    std::vector<std::uint32_t> order(n);
    for (std::uint32_t i = 0; i < n; ++i)
        order[i] = keys[i].second;
    rows_.reorder(order);
}

int PlaylistSort::insertionIndex(const PlaylistRow& row) const {
    const int field = sortField();
    if (!autoSort_ || field < 0) return rows_.count() + 1;
    const std::string_view text = row.fields[field];
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

void PlaylistSort::dropLst() {
    lstFind_.clear();
    lstPrefix_.clear();
    gone_.clear();
}

void PlaylistSort::refilLst() {
    dropLst();
    lstField_ = sortField();
    if (lstField_ < 0) return;
    const auto n = static_cast<std::size_t>(rows_.count());
    lstFind_.reserve(n);
    lstPrefix_.reserve(n);
    for (int i = 1; i <= rows_.count(); ++i) {
        const PlaylistRow& row = rows_.row(i);
        rows_.setFindSlot(row, static_cast<std::uint32_t>(lstFind_.size()));
        lstFind_.push_back(&row);
        lstPrefix_.push_back(findPrefix(row.fields[lstField_]));
    }
}

void PlaylistSort::recordLeaving(const PlaylistRow& row) {
    const std::uint32_t slot = rows_.findSlot(row);
    if (slot >= lstFind_.size() || lstFind_[slot] != &row) return;
    gone_[slot] = Gone{row.key, std::string(row.fields[lstField_])};
    lstFind_[slot] = nullptr;
}

std::string_view PlaylistSort::lstFindText(std::size_t entry) const {
    if (entry >= lstFind_.size()) return {};
    if (const PlaylistRow* row = lstFind_[entry]) return row->fields[lstField_];
    return gone_.at(entry).text;
}

int PlaylistSort::lstFindRow(std::size_t entry) const {
    if (entry >= lstFind_.size()) return 0;
    if (const PlaylistRow* row = lstFind_[entry]) return rows_.indexOf(row);
    return rows_.indexOf(gone_.at(entry).key);
}

std::size_t PlaylistSort::lstFindFirst(std::string_view text, std::size_t from) const {
    // The prefixes sit side by side, so the scan touches a row only where its first bytes
    // match: a million entries take about a millisecond.
    const std::size_t head = std::min<std::size_t>(text.size(), 8);
    const std::uint64_t mask = head == 0 ? 0 : ~std::uint64_t{0} << (8 * (8 - head));
    const std::uint64_t wanted = findPrefix(text) & mask;
    for (std::size_t i = from; i < lstPrefix_.size(); ++i)
        if ((lstPrefix_[i] & mask) == wanted && beginsWithFolded(lstFindText(i), text)) return i;
    return lstFind_.size();
}

std::vector<std::string> PlaylistSort::lstFind() const {
    std::vector<std::string> texts;
    texts.reserve(lstFind_.size());
    for (std::size_t i = 0; i < lstFind_.size(); ++i)
        texts.emplace_back(lstFindText(i));
    return texts;
}

} // namespace vantrel
