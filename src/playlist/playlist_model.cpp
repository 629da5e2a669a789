#include "playlist/playlist_model.h"

#include "base/number_text.h"
#include "playlist/cell_collation.h"

#include <algorithm>

namespace vantrel {

namespace {

// Beyond this many separate runs of removed rows a view is better told to start over than
// to shift its rows once per run.
constexpr std::size_t kMaxRemovalRuns = 32;

const std::string kNoText;

} // namespace

PlaylistModel::PlaylistModel() = default;
PlaylistModel::~PlaylistModel() = default;

template <typename Call, typename... Args> void PlaylistModel::notify(Call call, Args... args) {
    for (PlaylistObserver* observer : observers_)
        (observer->*call)(args...);
}

void PlaylistModel::addObserver(PlaylistObserver* observer) {
    observers_.push_back(observer);
}

void PlaylistModel::removeObserver(PlaylistObserver* observer) {
    std::erase(observers_, observer);
}

void PlaylistModel::setColumns(ListColumns columns) {
    notify(&PlaylistObserver::modelAboutToBeReset);
    columns_ = std::move(columns);
    byKey_.clear();
    rows_.clear();
    selectedItem_ = anchor_ = nullptr;
    positionsStale_ = false;
    sortColumn_ = 0;
    sortOrder_ = SortOrder::Ascending;
    autoSort_ = true;
    columns_.markSort(1, sortOrder_, ListColumns::kNewColumnWidthPixels);
    notify(&PlaylistObserver::modelReset);
    notify(&PlaylistObserver::columnsRebuilt);
    // An emptied list must not keep search entries or counters of the rows it had.
    refilLst();
    showTotal();
    calcLVItms();
}

const PlaylistRow* PlaylistModel::find(std::string_view key) const {
    const auto it = byKey_.find(key);
    return it == byKey_.end() ? nullptr : &it->second->row;
}

int PlaylistModel::indexOf(std::string_view key) const {
    const auto it = byKey_.find(key);
    return it == byKey_.end() ? 0 : indexOfEntry(it->second);
}

int PlaylistModel::indexOfEntry(const Entry* entry) const {
    if (!entry) return 0;
    if (positionsStale_) {
        for (std::size_t i = 0; i < rows_.size(); ++i)
            rows_[i]->position = i;
        positionsStale_ = false;
    }
    return static_cast<int>(entry->position) + 1;
}

const std::string& PlaylistModel::cell(int index, int column) const {
    if (column < 1 || column > columns_.count()) return kNoText;
    return row(index).fields.at(columns_.column(column).field);
}

int PlaylistModel::sortField() const {
    return sortColumn_ < columns_.count() ? columns_.column(sortColumn_ + 1).field : -1;
}

std::size_t PlaylistModel::insertionPoint(const PlaylistRow& row) const {
    const int field = sortField();
    if (!autoSort_ || field < 0) return rows_.size();
    // After the rows it equals, where a stable sort of the list would put it.
    const std::string& text = row.fields[field];
    const bool ascending = sortOrder_ == SortOrder::Ascending;
    const auto at = std::partition_point(rows_.begin(), rows_.end(), [&](const auto& entry) {
        const int order = compareCells(entry->row.fields[field], text);
        return ascending ? order <= 0 : order >= 0;
    });
    return static_cast<std::size_t>(at - rows_.begin());
}

int PlaylistModel::addRow(PlaylistRow row) {
    if (contains(row.key)) return 0;
    const std::size_t at = insertionPoint(row);
    const int index = static_cast<int>(at) + 1;
    notify(&PlaylistObserver::rowsAboutToBeInserted, index, index);
    auto entry = std::make_unique<Entry>(Entry{std::move(row), at});
    Entry* added = entry.get();
    rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(at), std::move(entry));
    byKey_.emplace(added->row.key, added);
    if (at + 1 != rows_.size()) positionsStale_ = true;
    notify(&PlaylistObserver::rowsInserted, index, index);
    return index;
}

void PlaylistModel::forget(const Entry* entry) {
    byKey_.erase(entry->row.key);
    if (selectedItem_ == entry) selectedItem_ = nullptr;
    if (anchor_ == entry) anchor_ = nullptr;
}

void PlaylistModel::eraseRange(std::size_t first, std::size_t last) {
    for (std::size_t i = first; i <= last; ++i)
        forget(rows_[i].get());
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(first),
                rows_.begin() + static_cast<std::ptrdiff_t>(last) + 1);
    positionsStale_ = true;
}

bool PlaylistModel::removeRow(std::string_view key) {
    const int index = indexOf(key);
    if (index == 0) return false;
    notify(&PlaylistObserver::rowsAboutToBeRemoved, index, index);
    eraseRange(index - 1, index - 1);
    notify(&PlaylistObserver::rowsRemoved, index, index);
    // The total would otherwise count a row that is gone.
    showTotal();
    return true;
}

void PlaylistModel::removeAll() {
    notify(&PlaylistObserver::modelAboutToBeReset);
    byKey_.clear();
    rows_.clear();
    selectedItem_ = anchor_ = nullptr;
    positionsStale_ = false;
    notify(&PlaylistObserver::modelReset);
}

template <typename Doomed> void PlaylistModel::removeWhere(Doomed doomed) {
    std::vector<std::pair<std::size_t, std::size_t>> runs;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (!doomed(rows_[i]->row)) continue;
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
            notify(&PlaylistObserver::rowsAboutToBeRemoved, first, last);
            eraseRange(run->first, run->second);
            notify(&PlaylistObserver::rowsRemoved, first, last);
        }
        return;
    }
    // One pass over the rows, so a crop of a long list stays linear.
    notify(&PlaylistObserver::modelAboutToBeReset);
    for (const auto& run : runs)
        for (std::size_t i = run.first; i <= run.second; ++i) {
            forget(rows_[i].get());
            rows_[i].reset();
        }
    std::erase(rows_, nullptr);
    positionsStale_ = true;
    notify(&PlaylistObserver::modelReset);
}

void PlaylistModel::showRow(int index) {
    if (index >= 1 && index <= count()) notify(&PlaylistObserver::scrollIntoView, index);
}

int PlaylistModel::selectedItem() const {
    return indexOfEntry(selectedItem_);
}

int PlaylistModel::selectedCount() const {
    return static_cast<int>(std::count_if(rows_.begin(), rows_.end(),
                                          [](const auto& entry) { return entry->row.selected; }));
}

void PlaylistModel::setSelected(int index, bool selected) {
    if (index < 1 || index > count()) return;
    Entry* entry = rows_[index - 1].get();
    entry->row.selected = selected;
    if (selected) selectedItem_ = entry;
    notify(&PlaylistObserver::selectionChanged, index, index);
}

void PlaylistModel::clickRow(int index, Click how) {
    if (index < 1 || index > count()) return;
    Entry* clicked = rows_[index - 1].get();
    if (how == Click::Ctrl) {
        clicked->row.selected = !clicked->row.selected;
        anchor_ = clicked;
    } else {
        int from = index, to = index;
        if (how == Click::Shift && anchor_) {
            from = std::min(index, indexOfEntry(anchor_));
            to = std::max(index, indexOfEntry(anchor_));
        } else {
            anchor_ = clicked;
        }
        for (int i = 1; i <= count(); ++i)
            rows_[i - 1]->row.selected = i >= from && i <= to;
    }
    selectedItem_ = clicked;
    notify(&PlaylistObserver::selectionChanged, 1, count());
}

void PlaylistModel::sortRows() {
    const int field = sortField();
    if (field < 0) return;
    notify(&PlaylistObserver::rowsAboutToBeReordered);
    const bool ascending = sortOrder_ == SortOrder::Ascending;
    std::stable_sort(rows_.begin(), rows_.end(), [&](const auto& a, const auto& b) {
        const int order = compareCells(a->row.fields[field], b->row.fields[field]);
        return ascending ? order < 0 : order > 0;
    });
    positionsStale_ = true;
    notify(&PlaylistObserver::rowsReordered);
}

void PlaylistModel::headerClick(int column, int widthPixels) {
    if (column < 1 || column > columnCount()) return;
    sortColumn_ = column - 1;
    sortOrder_ = sortOrder_ == SortOrder::Ascending ? SortOrder::Descending : SortOrder::Ascending;
    columns_.markSort(column, sortOrder_, widthPixels);
    notify(&PlaylistObserver::headersChanged);
    autoSort_ = true;
    sortRows();
    refilLst();
}

void PlaylistModel::refilLst() {
    lstFind_.clear();
    lstFindKeys_.clear();
    const int field = sortField();
    if (field < 0) return;
    lstFind_.reserve(rows_.size());
    lstFindKeys_.reserve(rows_.size());
    for (const auto& entry : rows_) {
        lstFind_.push_back(entry->row.fields[field]);
        lstFindKeys_.push_back(entry->row.key);
    }
}

int PlaylistModel::lstFindRow(std::size_t entry) const {
    return entry < lstFindKeys_.size() ? indexOf(lstFindKeys_[entry]) : 0;
}

void PlaylistModel::calcLVItms() {
    lblLstSel_ = "Selected = " + std::to_string(selectedCount());
    notify(&PlaylistObserver::countersChanged);
}

void PlaylistModel::showTotal() {
    lblLstTotal_ = "Total = " + numberText(count());
    notify(&PlaylistObserver::countersChanged);
}

void PlaylistModel::setFileIn(const std::string& fileIn) {
    curFile_ = fileIn;
    calcLVItms();
    for (const FileInHook& hook : fileInHooks_)
        hook(curFile_);
}

void PlaylistModel::listClick() {
    if (count() >= 1 && selectedItem_) setFileIn(selectedItem_->row.key);
}

void PlaylistModel::dragDrop(int target) {
    if (!dragging_) return;
    autoSort_ = false;
    const int source = selectedItem();
    if (target >= 1 && target <= count() && source >= 1) moveRow(target, source);
    dragging_ = false;
}

bool PlaylistModel::moveRow(int target, int source) {
    if (target < 1 || target > count() || source < 1 || source > count() || target == source)
        return false;
    notify(&PlaylistObserver::rowAboutToBeMoved, source, target);
    Entry* moved = rows_[source - 1].get();
    const auto at = [&](int index) { return rows_.begin() + (index - 1); };
    if (target > source)
        std::rotate(at(source), at(source + 1), at(target + 1));
    else
        std::rotate(at(target), at(source), at(source + 1));
    positionsStale_ = true;
    moved->row.selected = true;
    selectedItem_ = moved;
    notify(&PlaylistObserver::rowMoved, source, target);
    notify(&PlaylistObserver::selectionChanged, target, target);
    return true;
}

void PlaylistModel::mnuEdLvItm(int element) {
    switch (element) {
    case 0:
        clearList();
        break;
    case 1:
        cropSelection();
        break;
    case 2:
        removeSelection();
        break;
    case 3:
        invertSelection();
        break;
    default:
        break;
    }
}

void PlaylistModel::afterListCommand() {
    showTotal();
    calcLVItms();
}

void PlaylistModel::clearList() {
    removeAll();
    refilLst();
    afterListCommand();
}

void PlaylistModel::cropSelection() {
    removeWhere([](const PlaylistRow& row) { return !row.selected; });
    refilLst();
    afterListCommand();
}

void PlaylistModel::removeSelection() {
    removeWhere([](const PlaylistRow& row) { return row.selected; });
    refilLst();
    afterListCommand();
}

void PlaylistModel::invertSelection() {
    for (const auto& entry : rows_)
        entry->row.selected = !entry->row.selected;
    if (count() > 0) notify(&PlaylistObserver::selectionChanged, 1, count());
    afterListCommand();
}

} // namespace vantrel
