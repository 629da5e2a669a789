// The Qt side of the playlist: the table adapter under Qt's own model checker, and the list
// view's selection kept in step with the core's marks.
#include "playlist/playlist_model.h"
#include "playlist/ui/playlist_list_view.h"
#include "playlist/ui/playlist_table_model.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace vantrel {
namespace {

// Qt's model checker reports through qWarning; every report fails the test.
QStringList* checkerReports = nullptr;
void recordReport(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (checkerReports && type != QtDebugMsg && type != QtInfoMsg) checkerReports->push_back(text);
}

struct PlaylistQtTest : ::testing::Test {
    PlaylistModel playlist;
    QStringList reports;
    QtMessageHandler previous = nullptr;

    void SetUp() override {
        checkerReports = &reports;
        previous = qInstallMessageHandler(recordReport);
        // Columns: file name, title.
        playlist.setColumns(ListColumns({{0, true}, {2, true}}, shippedFieldCaptions()));
    }
    void TearDown() override {
        qInstallMessageHandler(previous);
        checkerReports = nullptr;
        EXPECT_TRUE(reports.isEmpty()) << reports.join("\n").toStdString();
    }
    void add(const std::string& name, const std::string& title = "") {
        PlaylistRow row;
        row.key = "/m/" + name;
        row.fields[0] = name;
        row.fields[2] = title;
        playlist.addRow(std::move(row));
    }
};

TEST_F(PlaylistQtTest, TableAdapterPassesQtsModelCheckThroughEveryChange) {
    PlaylistTableModel table(playlist);
    QAbstractItemModelTester tester(&table,
                                    QAbstractItemModelTester::FailureReportingMode::Warning);
    for (const char* name : {"d", "b", "a", "c", "e"})
        add(name, std::string("t") + name);
    EXPECT_EQ(table.index(0, 0).data().toString(), "a");
    playlist.setSelected(2, true);
    playlist.dragMove();
    playlist.dragDrop(5);
    playlist.headerClick(2, 50);
    EXPECT_EQ(table.index(0, 1).data().toString(), "te");
    EXPECT_TRUE(playlist.rows().rename("/m/c", "/m/z"));
    auto fields = playlist.row(1).fields;
    fields[2] = "new title";
    EXPECT_TRUE(playlist.rows().updateCells(playlist.row(1).key, fields));
    EXPECT_EQ(table.index(0, 1).data().toString(), "new title");
    playlist.removeRow("/m/a");
    for (int i = 0; i < 40; ++i)
        add("x" + std::to_string(i));
    for (int i = 1; i <= playlist.count(); i += 2)
        playlist.setSelected(i, true);
    playlist.cropSelection(); // many runs: a reset
    playlist.clearList();
    add("f");
    playlist.setColumns(ListColumns({{2, true}}, shippedFieldCaptions()));
    EXPECT_EQ(table.columnCount(), 1);
    EXPECT_EQ(table.rowCount(), 0);
}

struct PlaylistViewTest : PlaylistQtTest {
    PlaylistListView view{false, nullptr};

    void SetUp() override {
        PlaylistQtTest::SetUp();
        view.bind(playlist);
        view.resize(300, 400);
        view.show();
        for (const char* name : {"a", "b", "c", "d", "e"})
            add(name);
    }
    std::string marks() const {
        std::string text;
        for (int i = 1; i <= playlist.count(); ++i)
            text += playlist.row(i).selected ? 'x' : '-';
        return text;
    }
    std::string viewMarks() const {
        std::string text;
        for (int row = 0; row < playlist.count(); ++row)
            text += view.selectionModel()->isRowSelected(row) ? 'x' : '-';
        return text;
    }
    void key(int code, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent press(QEvent::KeyPress, code, modifiers);
        QApplication::sendEvent(&view, &press);
    }
    void mouse(QEvent::Type type, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        const QPoint at(10, view.rowViewportPosition(row - 1) + 2);
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, view.viewport()->mapToGlobal(at), Qt::LeftButton, held,
                          modifiers);
        QApplication::sendEvent(view.viewport(), &event);
    }
};

TEST_F(PlaylistViewTest, KeysMoveAndExtendTheSelectionAndTheCoreFollows) {
    struct Step {
        int key;
        Qt::KeyboardModifiers modifiers;
        std::string marks;
        int item;
    } steps[] = {
        {Qt::Key_Down, Qt::NoModifier, "--x--", 3},   {Qt::Key_Down, Qt::ShiftModifier, "--xx-", 4},
        {Qt::Key_End, Qt::ShiftModifier, "--xxx", 5}, {Qt::Key_Home, Qt::NoModifier, "x----", 1},
        {Qt::Key_A, Qt::ControlModifier, "xxxxx", 1}, {Qt::Key_Down, Qt::NoModifier, "-x---", 2},
    };
    mouse(QEvent::MouseButtonPress, 2);
    mouse(QEvent::MouseButtonRelease, 2);
    ASSERT_EQ(marks(), "-x---");
    for (const Step& step : steps) {
        key(step.key, step.modifiers);
        EXPECT_EQ(marks(), step.marks) << "key " << step.key;
        EXPECT_EQ(viewMarks(), step.marks) << "key " << step.key;
        EXPECT_EQ(playlist.selectedItem(), step.item) << "key " << step.key;
    }
    EXPECT_EQ(playlist.lblLstSel(), "Selected = 1");
    EXPECT_EQ(playlist.curFile(), "/m/b"); // keys move the selection, not the current track
}

TEST_F(PlaylistViewTest, MarksSetByTheProgramShowInTheViewAndSurviveSortsAndRemovals) {
    playlist.setSelected(2, true);
    playlist.setSelected(4, true);
    EXPECT_EQ(viewMarks(), "-x-x-");
    playlist.headerClick(1, 50); // e d c b a
    EXPECT_EQ(viewMarks(), "-x-x-");
    EXPECT_EQ(view.currentIndex().row(), 1); // the selected item, "d", now second
    playlist.removeRow("/m/e");
    EXPECT_EQ(viewMarks(), "x-x-");
    playlist.invertSelection();
    EXPECT_EQ(viewMarks(), "-x-x");
    EXPECT_EQ(marks(), "-x-x");
}

TEST_F(PlaylistViewTest, ADraggedRowShowsItsLandingRowAndDropsThroughTheCore) {
    mouse(QEvent::MouseButtonPress, 4);
    mouse(QEvent::MouseMove, 2);
    EXPECT_EQ(view.dropTarget(), 2);
    EXPECT_EQ(view.viewport()->cursor().shape(), Qt::DragMoveCursor);
    mouse(QEvent::MouseButtonRelease, 2);
    EXPECT_EQ(view.dropTarget(), 0);
    EXPECT_EQ(playlist.row(2).key, "/m/d");
    EXPECT_FALSE(playlist.sorting().autoSort());
    EXPECT_EQ(viewMarks(), "-x---");
}

} // namespace
} // namespace vantrel
