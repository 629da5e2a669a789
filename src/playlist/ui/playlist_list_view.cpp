#include "playlist/ui/playlist_list_view.h"

#include "base/file_url.h"
#include "playlist/playlist_model.h"
#include "playlist/ui/playlist_table_model.h"

#include <QDropEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>

namespace vantrel {

namespace {

std::vector<std::string> localPaths(const QMimeData* data) {
    std::vector<std::string> paths;
    if (!data) return paths;
    // Read by the same rules as a playlist's file:// entries: another machine's file is left out.
    for (const QUrl& url : data->urls())
        if (std::string path = pathFromFileUrl(url.toEncoded().toStdString()); !path.empty())
            paths.push_back(std::move(path));
    return paths;
}

} // namespace

PlaylistListView::PlaylistListView(bool useGrid, QWidget* parent) : QTableView(parent) {
    setObjectName("ListView1");
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setShowGrid(useGrid);
    setWordWrap(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setContextMenuPolicy(Qt::CustomContextMenu);
    // Rows are reordered by this view's own mouse drag, which ends in the core; what Qt drops
    // here comes from outside: files from a file manager.
    setDragDropMode(QAbstractItemView::NoDragDrop);
    setAcceptDrops(true);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setSectionsMovable(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void PlaylistListView::bind(PlaylistModel& playlist) {
    playlist_ = &playlist;
    model_ = new PlaylistTableModel(playlist, this);
    // Rows on their way out leave Qt's selection; their marks go with them. Connected before
    // the selection model exists, so the flag is up before it reacts.
    connect(model_, &QAbstractItemModel::rowsAboutToBeRemoved, this, [this] { mirroring_ = true; });
    connect(model_, &QAbstractItemModel::rowsRemoved, this, [this] { mirroring_ = false; });
    setModel(model_);
    horizontalHeader()->setDefaultSectionSize(ListColumns::kNewColumnWidthPixels);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
        playlist_->headerClick(section + 1, horizontalHeader()->sectionSize(section));
    });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &PlaylistListView::takeViewSelection);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (mirroring_ || !current.isValid()) return;
                QScopedValueRollback<bool> scope(mirroring_, true);
                playlist_->selection().setSelectedItem(current.row() + 1);
            });
    // Qt drops its selection on a reset; the rows left keep their marks.
    connect(model_, &QAbstractItemModel::modelReset, this,
            [this] { showMarks(1, playlist_->count()); });
    connect(model_, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) { showMarks(first + 1, last + 1); });
    connectCore();
}

void PlaylistListView::connectCore() {
    connections_.push_back(playlist_->selection().changed.connect(
        [this](int first, int last) { showMarks(first, last); }));
    connections_.push_back(playlist_->countersChanged.connect([this] { emit countersChanged(); }));
    connections_.push_back(
        playlist_->scrollRequested.connect([this](int index) { scrollSoon(index); }));
}

void PlaylistListView::scrollSoon(int index) {
    // A file added asks for its row each time; scrolling at once would lay out the rows for
    // every one of them (linear in the list's length), while only the last one shows.
    pendingScroll_ = model_->index(index - 1, 0);
    if (scrollPosted_) return;
    scrollPosted_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            scrollPosted_ = false;
            if (pendingScroll_.isValid()) {
                // The scroll bar's range must count the rows added since the last layout.
                executeDelayedItemsLayout();
                scrollTo(pendingScroll_);
            }
            pendingScroll_ = QPersistentModelIndex();
        },
        Qt::QueuedConnection);
}

void PlaylistListView::showMarks(int first, int last) {
    if (mirroring_) return;
    QScopedValueRollback<bool> scope(mirroring_, true);
    first = std::max(first, 1);
    last = std::min(last, playlist_->count());
    QItemSelection marked, unmarked;
    const int lastColumn = std::max(playlist_->columnCount() - 1, 0);
    for (int i = first; i <= last;) {
        const bool on = playlist_->row(i).selected;
        int end = i;
        while (end < last && playlist_->row(end + 1).selected == on)
            ++end;
        (on ? marked : unmarked)
            .select(model_->index(i - 1, 0), model_->index(end - 1, lastColumn));
        i = end + 1;
    }
    // Rows come in unmarked by the thousand; with nothing selected there is nothing to undo.
    if (!unmarked.isEmpty() && selectionModel()->hasSelection())
        selectionModel()->select(unmarked, QItemSelectionModel::Deselect);
    if (!marked.isEmpty()) selectionModel()->select(marked, QItemSelectionModel::Select);
    const int item = playlist_->selectedItem();
    if (item >= 1 && currentIndex().row() != item - 1)
        selectionModel()->setCurrentIndex(model_->index(item - 1, 0),
                                          QItemSelectionModel::NoUpdate);
}

void PlaylistListView::takeViewSelection(const QItemSelection& selected,
                                         const QItemSelection& deselected) {
    if (mirroring_) return;
    QScopedValueRollback<bool> scope(mirroring_, true);
    PlaylistSelection& core = playlist_->selection();
    for (const QItemSelectionRange& range : deselected)
        for (int row = range.top(); row <= range.bottom(); ++row)
            core.setSelected(row + 1, false);
    for (const QItemSelectionRange& range : selected)
        for (int row = range.top(); row <= range.bottom(); ++row)
            core.setSelected(row + 1, true);
    if (currentIndex().isValid()) core.setSelectedItem(currentIndex().row() + 1);
    playlist_->calcLVItms();
}

int PlaylistListView::rowUnder(const QMouseEvent* event) const {
    return rowAt(event->position().toPoint().y()) + 1;
}

void PlaylistListView::mousePressEvent(QMouseEvent* event) {
    pressedRow_ = 0;
    const int row = rowUnder(event);
    if (!playlist_ || event->button() != Qt::LeftButton || row < 1) return;
    const auto how = (event->modifiers() & Qt::ControlModifier) ? PlaylistSelection::Click::Ctrl
                     : (event->modifiers() & Qt::ShiftModifier) ? PlaylistSelection::Click::Shift
                                                                : PlaylistSelection::Click::Plain;
    if (how != PlaylistSelection::Click::Shift) {
        // Qt's keyboard anchor goes to the clicked row, so Shift with an arrow key extends
        // from there; the marks come from the core right after.
        QScopedValueRollback<bool> scope(mirroring_, true);
        setCurrentIndex(model_->index(row - 1, 0));
    }
    playlist_->clickRow(row, how);
    playlist_->listClick();
    pressedRow_ = row;
}

void PlaylistListView::mouseMoveEvent(QMouseEvent* event) {
    if (!pressedRow_ || !(event->buttons() & Qt::LeftButton)) return;
    playlist_->dragMove();
    viewport()->setCursor(Qt::DragMoveCursor);
    const int target = rowUnder(event);
    if (target != dropTarget_) {
        dropTarget_ = target < 1 ? 0 : target;
        viewport()->update();
    }
}

void PlaylistListView::mouseReleaseEvent(QMouseEvent* event) {
    if (playlist_ && playlist_->dragging()) playlist_->dragDrop(rowUnder(event));
    pressedRow_ = dropTarget_ = 0;
    viewport()->unsetCursor();
    viewport()->update();
}

void PlaylistListView::mouseDoubleClickEvent(QMouseEvent*) {
    // A double click is two clicks to the list, nothing more.
}

QModelIndex PlaylistListView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    // Home and End jump to the first and last row, as in a list; a table would stay in the row.
    if (action == MoveHome || action == MoveEnd) modifiers |= Qt::ControlModifier;
    return QTableView::moveCursor(action, modifiers);
}

void PlaylistListView::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    const int source = playlist_ ? playlist_->selectedItem() : 0;
    if (!dropTarget_ || !source || dropTarget_ == source) return;
    // The dragged row ends where the target row stands: below it when moving down, above it
    // when moving up.
    const int top = rowViewportPosition(dropTarget_ - 1);
    const int y = dropTarget_ > source ? top + rowHeight(dropTarget_ - 1) - 1 : top;
    QPainter painter(viewport());
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.drawLine(0, y, viewport()->width(), y);
}

void PlaylistListView::dragEnterEvent(QDragEnterEvent* event) {
    if (!pathsDropped || localPaths(event->mimeData()).empty()) return event->ignore();
    event->acceptProposedAction();
}

void PlaylistListView::dragMoveEvent(QDragMoveEvent* event) {
    // Anywhere on the list: the rows take their places from the sort, not from the pointer.
    event->acceptProposedAction();
}

void PlaylistListView::dropEvent(QDropEvent* event) {
    std::vector<std::string> paths = localPaths(event->mimeData());
    if (!pathsDropped || paths.empty()) return event->ignore();
    event->acceptProposedAction();
    pathsDropped(paths);
}

} // namespace vantrel
