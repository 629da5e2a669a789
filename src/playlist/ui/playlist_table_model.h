#pragma once

#include "playlist/playlist_model.h"

#include <QAbstractTableModel>

namespace vantrel {

// Shows a PlaylistModel in a Qt view without an item per row, so large lists stay light. The
// core keeps the selection marks; the view paints them from here.
class PlaylistTableModel : public QAbstractTableModel, private PlaylistObserver {
    Q_OBJECT

public:
    explicit PlaylistTableModel(PlaylistModel& playlist, QObject* parent = nullptr);
    ~PlaylistTableModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

signals:
    void countersUpdated();
    void scrollRequested(int row);

private:
    void rowsAboutToBeInserted(int first, int last) override;
    void rowsInserted(int first, int last) override;
    void rowsAboutToBeRemoved(int first, int last) override;
    void rowsRemoved(int first, int last) override;
    void rowAboutToBeMoved(int source, int target) override;
    void rowMoved(int source, int target) override;
    void rowsAboutToBeReordered() override;
    void rowsReordered() override;
    void modelAboutToBeReset() override;
    void modelReset() override;
    void columnsRebuilt() override;
    void headersChanged() override;
    void selectionChanged(int first, int last) override;
    void countersChanged() override { emit countersUpdated(); }
    void scrollIntoView(int index) override { emit scrollRequested(index - 1); }

    PlaylistModel& playlist_;
};

} // namespace vantrel
