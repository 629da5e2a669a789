#pragma once

#include "base/signal.h"

#include <QPersistentModelIndex>
#include <QTableView>

#include <functional>
#include <string>
#include <vector>

namespace vantrel {

class PlaylistModel;
class PlaylistTableModel;

// The playlist's report view (ListView1). The core's Selected marks are the truth; Qt's
// selection model mirrors them both ways, so the keyboard works as in any list while clicks
// follow the core's rules. A dragged row shows where it will land before it is dropped.
class PlaylistListView : public QTableView {
    Q_OBJECT

public:
    PlaylistListView(bool useGrid, QWidget* parent);

    void bind(PlaylistModel& playlist);
    // The row a drop here would move the dragged row to (1-based), 0 when none.
    int dropTarget() const { return dropTarget_; }
    // Local files and folders dropped from a file manager, in the order dragged.
    std::function<void(const std::vector<std::string>& paths)> pathsDropped;

signals:
    void countersChanged();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    void connectCore();
    void showMarks(int first, int last);
    void takeViewSelection(const QItemSelection& selected, const QItemSelection& deselected);
    int rowUnder(const QMouseEvent* event) const;
    void scrollSoon(int index);

    PlaylistModel* playlist_ = nullptr;
    PlaylistTableModel* model_ = nullptr;
    // Set while one side's change is being copied to the other, so it does not come back.
    bool mirroring_ = false;
    int pressedRow_ = 0;
    int dropTarget_ = 0;
    // The row to bring into sight once events run; only the last request counts.
    QPersistentModelIndex pendingScroll_;
    bool scrollPosted_ = false;
    Connections connections_;
};

} // namespace vantrel
