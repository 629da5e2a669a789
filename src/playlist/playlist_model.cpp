#include "playlist/playlist_model.h"

#include "base/number_text.h"

namespace vantrel {

void PlaylistModel::setColumns(ListColumns columns) {
    columnsAboutToBeRebuilt();
    rows_.clear();
    columns_ = std::move(columns);
    sort_.restart();
    columns_.markSort(1, sort_.sortOrder(), ListColumns::kNewColumnWidthPixels);
    columnsRebuilt();
    // An emptied list must not keep search entries or counters of the rows it had.
    refilLst();
    showTotal();
    calcLVItms();
}

std::string_view PlaylistModel::cellText(int index, int column) const {
    if (column < 1 || column > columns_.count()) return {};
    return row(index).fields.at(static_cast<std::size_t>(columns_.column(column).field));
}

int PlaylistModel::addRow(PlaylistRow row) {
    if (contains(row.key)) return 0;
    const int index = sort_.insertionIndex(row);
    return rows_.insert(index, std::move(row)) ? index : 0;
}

bool PlaylistModel::removeRow(std::string_view key) {
    if (!rows_.remove(key)) return false;
    // The total would otherwise count a row that is gone.
    showTotal();
    return true;
}

void PlaylistModel::showRow(int index) {
    if (index >= 1 && index <= count()) scrollRequested(index);
}

void PlaylistModel::headerClick(int column, int widthPixels) {
    if (column < 1 || column > columnCount()) return;
    const SortOrder next =
        sort_.sortOrder() == SortOrder::Ascending ? SortOrder::Descending : SortOrder::Ascending;
    columns_.markSort(column, next, widthPixels);
    headersChanged();
    sort_.sortBy(column);
    refilLst();
}

void PlaylistModel::calcLVItms() {
    lblLstSel_ = "Selected = " + std::to_string(selectedCount());
    countersChanged();
}

void PlaylistModel::showTotal() {
    lblLstTotal_ = "Total = " + numberText(count());
    countersChanged();
}

void PlaylistModel::setFileIn(const std::string& path) {
    curFile_ = path;
    calcLVItms();
    fileIn(curFile_);
}

void PlaylistModel::listClick() {
    if (count() >= 1 && selection_.selectedRow()) setFileIn(selection_.selectedRow()->key);
}

void PlaylistModel::dragDrop(int target) {
    if (!dragging_) return;
    sort_.stopAutoSort();
    const int source = selectedItem();
    if (target >= 1 && target <= count() && source >= 1) moveRow(target, source);
    dragging_ = false;
}

bool PlaylistModel::moveRow(int target, int source) {
    if (!rows_.move(source, target)) return false;
    setSelected(target, true);
    return true;
}

void PlaylistModel::afterListCommand() {
    showTotal();
    calcLVItms();
}

void PlaylistModel::clearList() {
    sort_.dropLst(); // refilled below; rows leaving need not leave their entries behind
    rows_.clear();
    refilLst();
    afterListCommand();
}

void PlaylistModel::cropSelection() {
    sort_.dropLst();
    rows_.removeIf([](const PlaylistRow& row) { return !row.selected; });
    refilLst();
    afterListCommand();
}

void PlaylistModel::removeSelection() {
    sort_.dropLst();
    rows_.removeIf([](const PlaylistRow& row) { return row.selected; });
    refilLst();
    afterListCommand();
}

void PlaylistModel::invertSelection() {
    selection_.invert();
    afterListCommand();
}

} // namespace vantrel
