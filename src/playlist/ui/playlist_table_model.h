#pragma once

#include "base/signal.h"

#include <QAbstractTableModel>

#include <vector>

namespace vantrel {

class PlaylistModel;
struct PlaylistRow;

// Shows a PlaylistModel in a Qt view without an item per row, so large lists stay light.
class PlaylistTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit PlaylistTableModel(PlaylistModel& playlist, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void connectRows();
    void aboutToReorder();
    void reordered();

    PlaylistModel& playlist_;
    // Inside a rebuild of the columns the row store's own reset is part of the larger one.
    bool rebuilding_ = false;
    // Across a sort: the rows the view's persistent indices (selection, focus) point at.
    std::vector<const PlaylistRow*> persistentRows_;
    Connections connections_;
};

} // namespace vantrel
