#include "playlist/playlist_rows.h"

#include <algorithm>
#include <utility>

namespace vantrel {

namespace {

// Beyond this many separate runs of removed rows a view is better told to start over than
// to shift its rows once per run.
constexpr std::size_t kMaxRemovalRuns = 32;

} // namespace

// The row and where it stood when positions were last counted; moves mark them stale.
struct PlaylistRows::Entry : PlaylistRow {
    explicit Entry(PlaylistRow row) : PlaylistRow(std::move(row)) {}
    mutable std::uint32_t position = 0;
    mutable std::uint32_t findSlot = UINT32_MAX;
};

std::size_t PlaylistRows::KeyHash::operator()(const Entry* entry) const {
    return (*this)(std::string_view(entry->key));
}

bool PlaylistRows::KeyEqual::operator()(std::string_view key, const Entry* entry) const {
    return key == entry->key;
}

bool PlaylistRows::KeyEqual::operator()(const Entry* entry, std::string_view key) const {
    return key == entry->key;
}

PlaylistRows::PlaylistRows() = default;
PlaylistRows::~PlaylistRows() = default;

PlaylistRows::Entry& PlaylistRows::entry(int index) const {
    return *rows_.at(static_cast<std::size_t>(index - 1));
}

const PlaylistRow& PlaylistRows::row(int index) const {
    return entry(index);
}

const PlaylistRow* PlaylistRows::find(std::string_view key) const {
    const auto it = byKey_.find(key);
    return it == byKey_.end() ? nullptr : *it;
}

int PlaylistRows::indexOf(std::string_view key) const {
    return indexOf(find(key));
}

int PlaylistRows::indexOf(const PlaylistRow* row) const {
    if (!row) return 0;
    if (positionsStale_) {
        for (std::size_t i = 0; i < rows_.size(); ++i)
            rows_[i]->position = static_cast<std::uint32_t>(i);
        positionsStale_ = false;
    }
    return static_cast<int>(static_cast<const Entry*>(row)->position) + 1;
}

bool PlaylistRows::insert(int index, PlaylistRow row) {
    if (index < 1 || index > count() + 1 || contains(row.key)) return false;
    rowsAboutToBeInserted(index, index);
    const auto at = static_cast<std::size_t>(index - 1);
    auto added = std::make_unique<Entry>(std::move(row));
    added->position = static_cast<std::uint32_t>(at);
    marked_ += added->selected ? 1 : 0;
    byKey_.insert(added.get());
    rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(at), std::move(added));
    if (at + 1 != rows_.size()) positionsStale_ = true;
    rowsInserted(index, index);
    return true;
}

void PlaylistRows::eraseRun(std::size_t first, std::size_t last) {
    for (std::size_t i = first; i <= last; ++i) {
        leaving(*rows_[i]);
        marked_ -= rows_[i]->selected ? 1 : 0;
        byKey_.erase(rows_[i].get());
    }
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(first),
                rows_.begin() + static_cast<std::ptrdiff_t>(last) + 1);
    positionsStale_ = true;
}

bool PlaylistRows::remove(std::string_view key) {
    const int index = indexOf(key);
    if (index == 0) return false;
    rowsAboutToBeRemoved(index, index);
    eraseRun(static_cast<std::size_t>(index - 1), static_cast<std::size_t>(index - 1));
    rowsRemoved(index, index);
    return true;
}

void PlaylistRows::removeIf(const std::function<bool(const PlaylistRow&)>& doomed) {
    std::vector<std::pair<std::size_t, std::size_t>> runs;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (!doomed(*rows_[i])) continue;
        if (!runs.empty() && runs.back().second + 1 == i)
            runs.back().second = i;
        else
            runs.emplace_back(i, i);
    }
    if (runs.empty()) return;
    if (runs.size() <= kMaxRemovalRuns) {
        // From the bottom up, so the runs still to go keep their indices.
        for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
            const int first = static_cast<int>(run->first) + 1;
            const int last = static_cast<int>(run->second) + 1;
            rowsAboutToBeRemoved(first, last);
            eraseRun(run->first, run->second);
            rowsRemoved(first, last);
        }
        return;
    }
    // One pass over the rows, so a crop of a long list stays linear.
    aboutToReset();
    for (const auto& run : runs)
        for (std::size_t i = run.first; i <= run.second; ++i) {
            leaving(*rows_[i]);
            marked_ -= rows_[i]->selected ? 1 : 0;
            byKey_.erase(rows_[i].get());
            rows_[i].reset();
        }
    std::erase(rows_, nullptr);
    positionsStale_ = true;
    wasReset();
}

void PlaylistRows::clear() {
    aboutToReset();
    for (const auto& row : rows_)
        leaving(*row);
    byKey_.clear();
    rows_.clear();
    marked_ = 0;
    positionsStale_ = false;
    wasReset();
}

bool PlaylistRows::move(int source, int target) {
    if (target < 1 || target > count() || source < 1 || source > count() || target == source)
        return false;
    rowAboutToBeMoved(source, target);
    const auto at = [&](int index) { return rows_.begin() + (index - 1); };
    if (target > source)
        std::rotate(at(source), at(source + 1), at(target + 1));
    else
        std::rotate(at(target), at(source), at(source + 1));
    positionsStale_ = true;
    rowMoved(source, target);
    return true;
}

void PlaylistRows::reorder(const std::vector<std::uint32_t>& order) {
    if (order.size() != rows_.size()) return;
    aboutToReorder();
    std::vector<std::unique_ptr<Entry>> sorted;
    sorted.reserve(rows_.size());
    for (const std::uint32_t from : order)
        sorted.push_back(std::move(rows_[from]));
    rows_ = std::move(sorted);
    positionsStale_ = true;
    reordered();
}

void PlaylistRows::sort(const std::function<bool(const PlaylistRow&, const PlaylistRow&)>& less) {
    aboutToReorder();
    std::stable_sort(rows_.begin(), rows_.end(),
                     [&](const auto& a, const auto& b) { return less(*a, *b); });
    positionsStale_ = true;
    reordered();
}

void PlaylistRows::setMark(int index, bool selected) {
    Entry& marked = entry(index);
    if (marked.selected != selected) selected ? ++marked_ : --marked_;
    marked.selected = selected;
}

std::uint32_t PlaylistRows::findSlot(const PlaylistRow& row) const {
    return static_cast<const Entry&>(row).findSlot;
}

void PlaylistRows::setFindSlot(const PlaylistRow& row, std::uint32_t slot) const {
    static_cast<const Entry&>(row).findSlot = slot;
}

} // namespace vantrel
