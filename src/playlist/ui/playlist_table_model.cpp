#include "playlist/ui/playlist_table_model.h"

#include "metadata/track_fields.h"
#include "playlist/playlist_model.h"

namespace vantrel {

PlaylistTableModel::PlaylistTableModel(PlaylistModel& playlist, QObject* parent)
    : QAbstractTableModel(parent), playlist_(playlist) {
    connectRows();
    auto& c = connections_;
    c.push_back(playlist_.columnsAboutToBeRebuilt.connect([this] {
        beginResetModel();
        rebuilding_ = true;
    }));
    c.push_back(playlist_.columnsRebuilt.connect([this] {
        rebuilding_ = false;
        endResetModel();
    }));
    c.push_back(playlist_.headersChanged.connect([this] {
        if (playlist_.columnCount() > 0)
            emit headerDataChanged(Qt::Horizontal, 0, playlist_.columnCount() - 1);
    }));
}

void PlaylistTableModel::connectRows() {
    PlaylistRows& rows = playlist_.rows();
    auto& c = connections_;
    // The store numbers rows from 1, Qt from 0.
    c.push_back(rows.rowsAboutToBeInserted.connect(
        [this](int first, int last) { beginInsertRows({}, first - 1, last - 1); }));
    c.push_back(rows.rowsInserted.connect([this](int, int) { endInsertRows(); }));
    c.push_back(rows.rowsAboutToBeRemoved.connect(
        [this](int first, int last) { beginRemoveRows({}, first - 1, last - 1); }));
    c.push_back(rows.rowsRemoved.connect([this](int, int) { endRemoveRows(); }));
    c.push_back(rows.rowAboutToBeMoved.connect([this](int source, int target) {
        // Qt names the destination as the row the moved one is put in front of, before the move.
        beginMoveRows({}, source - 1, source - 1, {}, target > source ? target : target - 1);
    }));
    c.push_back(rows.rowMoved.connect([this](int, int) { endMoveRows(); }));
    c.push_back(rows.aboutToReorder.connect([this] { aboutToReorder(); }));
    c.push_back(rows.reordered.connect([this] { reordered(); }));
    c.push_back(rows.aboutToReset.connect([this] {
        if (!rebuilding_) beginResetModel();
    }));
    c.push_back(rows.wasReset.connect([this] {
        if (!rebuilding_) endResetModel();
    }));
}

void PlaylistTableModel::aboutToReorder() {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    persistentRows_.clear();
    for (const QModelIndex& index : persistentIndexList())
        persistentRows_.push_back(&playlist_.row(index.row() + 1));
}

void PlaylistTableModel::reordered() {
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    for (int i = 0; i < before.size(); ++i)
        after.push_back(
            index(playlist_.rows().indexOf(persistentRows_.at(i)) - 1, before[i].column()));
    changePersistentIndexList(before, after);
    persistentRows_.clear();
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int PlaylistTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : playlist_.count();
}

int PlaylistTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : playlist_.columnCount();
}

QVariant PlaylistTableModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= playlist_.count() ||
        index.column() >= playlist_.columnCount())
        return {};
    const std::string_view text = playlist_.cellText(index.row() + 1, index.column() + 1);
    const std::string_view shown = shownText(text);
    return QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size()));
}

QVariant PlaylistTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= playlist_.columnCount())
        return {};
    return QString::fromStdString(playlist_.columns().column(section + 1).header);
}

} // namespace vantrel
