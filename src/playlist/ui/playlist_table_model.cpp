#include "playlist/ui/playlist_table_model.h"

#include "metadata/track_fields.h"

#include <QBrush>
#include <QPalette>

namespace vantrel {

PlaylistTableModel::PlaylistTableModel(PlaylistModel& playlist, QObject* parent)
    : QAbstractTableModel(parent), playlist_(playlist) {
    playlist_.addObserver(this);
}

PlaylistTableModel::~PlaylistTableModel() {
    playlist_.removeObserver(this);
}

int PlaylistTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : playlist_.count();
}

int PlaylistTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : playlist_.columnCount();
}

QVariant PlaylistTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= playlist_.count()) return {};
    int row = index.row() + 1;
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(
            std::string(shownText(playlist_.cell(row, index.column() + 1))));
    case Qt::BackgroundRole:
        if (playlist_.row(row).selected) return QBrush(QPalette().color(QPalette::Highlight));
        return {};
    case Qt::ForegroundRole:
        if (playlist_.row(row).selected) return QBrush(QPalette().color(QPalette::HighlightedText));
        return {};
    default:
        return {};
    }
}

QVariant PlaylistTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole ||
        section >= playlist_.columnCount())
        return {};
    return QString::fromStdString(playlist_.columns().column(section + 1).header);
}

void PlaylistTableModel::rowsAboutToBeInserted(int first, int last) {
    beginInsertRows({}, first - 1, last - 1);
}
void PlaylistTableModel::rowsInserted(int, int) {
    endInsertRows();
}
void PlaylistTableModel::rowsAboutToBeRemoved(int first, int last) {
    beginRemoveRows({}, first - 1, last - 1);
}
void PlaylistTableModel::rowsRemoved(int, int) {
    endRemoveRows();
}

void PlaylistTableModel::rowAboutToBeMoved(int source, int target) {
    // Qt names the destination as the row the moved one is put in front of, before the move.
    int destination = target > source ? target : target - 1;
    beginMoveRows({}, source - 1, source - 1, {}, destination);
}
void PlaylistTableModel::rowMoved(int, int) {
    endMoveRows();
}

void PlaylistTableModel::rowsAboutToBeReordered() {
    emit layoutAboutToBeChanged();
}
void PlaylistTableModel::rowsReordered() {
    emit layoutChanged();
}
void PlaylistTableModel::modelAboutToBeReset() {
    beginResetModel();
}
void PlaylistTableModel::modelReset() {
    endResetModel();
}
void PlaylistTableModel::columnsRebuilt() {
    beginResetModel();
    endResetModel();
}
void PlaylistTableModel::headersChanged() {
    emit headerDataChanged(Qt::Horizontal, 0, playlist_.columnCount() - 1);
}

void PlaylistTableModel::selectionChanged(int first, int last) {
    if (playlist_.count() == 0) return;
    first = std::max(first, 1);
    last = std::min(last, playlist_.count());
    if (first <= last)
        emit dataChanged(index(first - 1, 0), index(last - 1, playlist_.columnCount() - 1));
}

} // namespace vantrel
