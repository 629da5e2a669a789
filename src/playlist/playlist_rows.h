#pragma once

#include "base/signal.h"
#include "playlist/playlist_row.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace vantrel {

// The playlist's rows in list order, each under a unique key (its file's full path). Rows are
// addressed by 1-based index in list order, or by key; a row keeps its address for its whole
// life (moves, sorts and renames included), so the selection can hold on to it.
//
// Every change is told through the signals below, in the begin/end pairs a Qt item model needs:
// "about to" signals number rows as they are before the change, the others as after it.
class PlaylistRows {
public:
    using Fields = decltype(PlaylistRow::fields);

    PlaylistRows();
    ~PlaylistRows();
    PlaylistRows(const PlaylistRows&) = delete;
    PlaylistRows& operator=(const PlaylistRows&) = delete;

    int count() const { return static_cast<int>(rows_.size()); }
    const PlaylistRow& row(int index) const;
    const PlaylistRow* find(std::string_view key) const;
    bool contains(std::string_view key) const { return find(key) != nullptr; }
    int indexOf(std::string_view key) const;   // 0 when not listed
    int indexOf(const PlaylistRow* row) const; // a row of this store, or null (gives 0)

    // Puts the row at `index` (1 .. count + 1). False when its key is listed already.
    bool insert(int index, PlaylistRow row);
    bool remove(std::string_view key);
    // Removes every row `doomed` picks, in as few notifications as it takes.
    void removeIf(const std::function<bool(const PlaylistRow&)>& doomed);
    void clear();
    // Row `source` leaves and ends at `target` (the row there moves aside).
    bool move(int source, int target);
    // Reorders the rows; rows `less` finds equal keep their order.
    void sort(const std::function<bool(const PlaylistRow&, const PlaylistRow&)>& less);
    // Reorders the rows: the row at 0-based place order[i] goes to place i (a permutation).
    void reorder(const std::vector<std::uint32_t>& order);

    // The Selected mark; PlaylistSelection tells the change.
    void setMark(int index, bool selected);
    // How many rows bear the mark, kept as marks change (a million rows are not walked).
    int markedCount() const { return static_cast<int>(marked_); }
    // A number the search column keeps on each of its rows (where the row's entry is).
    std::uint32_t findSlot(const PlaylistRow& row) const;
    void setFindSlot(const PlaylistRow& row, std::uint32_t slot) const;

    Signal<int, int> rowsAboutToBeInserted, rowsInserted, rowsAboutToBeRemoved, rowsRemoved;
    // In Qt's 0-based terms: beginMoveRows({}, source - 1, source - 1, {}, target > source ?
    // target : target - 1).
    Signal<int, int> rowAboutToBeMoved, rowMoved;
    // The same rows in a new order; indices change, keys stay.
    Signal<> aboutToReorder, reordered;
    // Anything may have changed.
    Signal<> aboutToReset, wasReset;
    // Each row just before it goes, whatever removes it.
    Signal<const PlaylistRow&> leaving;

private:
    struct Entry;
    Entry& entry(int index) const;
    void eraseRun(std::size_t first, std::size_t last);

    // The rows by key, each key kept once (in its row): looked up by string_view.
    struct KeyHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view key) const {
            return std::hash<std::string_view>{}(key);
        }
        std::size_t operator()(const Entry* entry) const;
    };
    struct KeyEqual {
        using is_transparent = void;
        bool operator()(const Entry* a, const Entry* b) const { return a == b; }
        bool operator()(std::string_view key, const Entry* entry) const;
        bool operator()(const Entry* entry, std::string_view key) const;
    };

    std::vector<std::unique_ptr<Entry>> rows_;
    std::unordered_set<Entry*, KeyHash, KeyEqual> byKey_;
    mutable bool positionsStale_ = false;
    std::size_t marked_ = 0;
};

} // namespace vantrel
