// The Qt side of the playlist: the table adapter under Qt's own model checker, and the list
// view's selection kept in step with the core's marks.
#include "app/core_rig.h"
#include "app/ui/frm_tagger.h"
#include "playback/ui/tray_menu.h"
#include "playlist/playlist_model.h"
#include "playlist/ui/frm_search.h"
#include "playlist/ui/playlist_list_view.h"
#include "playlist/ui/playlist_table_model.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <random>

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

// Besides Qt's checks: a persistent index (what a view's selection holds) stays on its row
// through every change, or becomes invalid when the row goes; the store's own lookup by key
// agrees.
TEST_F(PlaylistQtTest, TableAdapterPassesQtsModelCheckThroughEveryChange) {
    PlaylistTableModel table(playlist);
    QAbstractItemModelTester tester(&table,
                                    QAbstractItemModelTester::FailureReportingMode::Warning);
    struct Held {
        QPersistentModelIndex index;
        const PlaylistRow* row;
        std::string key;
    };
    std::vector<Held> held;
    const auto check = [&](const char* step) {
        for (const Held& h : held)
            if (h.index.isValid()) {
                EXPECT_EQ(&playlist.row(h.index.row() + 1), h.row) << step;
                EXPECT_EQ(playlist.indexOf(h.row->key), h.index.row() + 1) << step;
            } else
                EXPECT_FALSE(playlist.contains(h.key)) << step;
    };
    std::mt19937 random(3);
    for (int i = 0; i < 60; ++i)
        add(std::to_string(random() % 100), std::to_string(random() % 9));
    for (int i = 1; i <= playlist.count(); i += 3)
        held.push_back({table.index(i - 1, 0), &playlist.row(i), playlist.row(i).key});
    playlist.headerClick(2, 50);
    check("sort");
    for (int i = 0; i < 10; ++i) {
        playlist.rows().move(int(random() % playlist.count()) + 1,
                             int(random() % playlist.count()) + 1);
        playlist.removeRow(playlist.row(int(random() % playlist.count()) + 1).key);
    }
    check("moves and removals");
    for (int i = 1; i <= playlist.count(); i += 2)
        playlist.setSelected(i, true);
    held.clear(); // a crop of many scattered rows resets the model
    playlist.cropSelection();
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
    // The core's marks, or the view's selection.
    std::string marks(bool inView = false) const {
        std::string text;
        for (int i = 1; i <= playlist.count(); ++i) {
            const bool on =
                inView ? view.selectionModel()->isRowSelected(i - 1) : playlist.row(i).selected;
            text += on ? 'x' : '-';
        }
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

TEST_F(PlaylistViewTest, TheRowAskedForLastIsInSightOnceEventsRunEvenAfterItMoved) {
    for (int i = 0; i < 300; ++i)
        add("z" + std::to_string(1000 + i));
    playlist.showRow(playlist.indexOf("/m/z1150"));
    // Rows sorted in above it push it further down before the view gets to scroll.
    for (int i = 0; i < 100; ++i)
        add("y" + std::to_string(1000 + i));
    QCoreApplication::processEvents();
    const QRect shown = view.visualRect(view.model()->index(playlist.indexOf("/m/z1150") - 1, 0));
    EXPECT_TRUE(view.viewport()->rect().intersects(shown));
}

TEST_F(PlaylistViewTest, KeysMoveAndExtendTheSelectionAndTheCoreFollows) {
    const std::tuple<int, Qt::KeyboardModifiers, std::string, int> steps[] = {
        {Qt::Key_Down, Qt::NoModifier, "--x--", 3},   {Qt::Key_Down, Qt::ShiftModifier, "--xx-", 4},
        {Qt::Key_End, Qt::ShiftModifier, "--xxx", 5}, {Qt::Key_Home, Qt::NoModifier, "x----", 1},
        {Qt::Key_A, Qt::ControlModifier, "xxxxx", 1}, {Qt::Key_Down, Qt::NoModifier, "-x---", 2},
    };
    mouse(QEvent::MouseButtonPress, 2);
    mouse(QEvent::MouseButtonRelease, 2);
    ASSERT_EQ(marks(), "-x---");
    for (const auto& [code, modifiers, marked, item] : steps) {
        key(code, modifiers);
        EXPECT_EQ(marks(), marked) << "key " << code;
        EXPECT_EQ(marks(true), marked) << "key " << code;
        EXPECT_EQ(playlist.selectedItem(), item) << "key " << code;
    }
    EXPECT_EQ(playlist.lblLstSel(), "Selected = 1");
    EXPECT_EQ(playlist.curFile(), "/m/b"); // keys move the selection, not the current track
}

TEST_F(PlaylistViewTest, MarksSetByTheProgramShowInTheViewAndSurviveSortsAndRemovals) {
    playlist.setSelected(2, true);
    playlist.setSelected(4, true);
    EXPECT_EQ(marks(true), "-x-x-");
    playlist.headerClick(1, 50); // e d c b a
    EXPECT_EQ(marks(true), "-x-x-");
    EXPECT_EQ(view.currentIndex().row(), 1); // the selected item, "d", now second
    playlist.removeRow("/m/e");
    EXPECT_EQ(marks(true), "x-x-");
    playlist.invertSelection();
    EXPECT_EQ(marks(true), "-x-x");
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
    EXPECT_EQ(marks(true), "-x---");
}

// The find field on the real window and the list settings dialog, wired to the core.
struct PlaylistWindowTest : ::testing::Test, test::CoreRig {
    std::unique_ptr<TaggerCore> core = make();
    TrayMenu tray{core->transport()};
    frmTagger window{false};
    frmSearch dialog{core->files().listSettings()};
    QLineEdit* txtFind = nullptr;

    void SetUp() override {
        core->load();
        window.bind(*core, tray);
        window.show();
        for (const char* title : {"Charlie", "Alpha", "Bravo", "Beta"})
            core->GetListTag(track(std::string(title) + ".mp3", title));
        core->playlist().refilLst();
        txtFind = window.findChild<QLineEdit*>("txtFind");
        ASSERT_NE(txtFind, nullptr);
    }
    QString entry(int row) { return dialog.lstLvCol->item(row)->text(); }
};

TEST_F(PlaylistWindowTest, FindKeyReleasesCompleteAndSelectBackspaceLeavesTheText) {
    QTest::keyClicks(txtFind, "b");
    EXPECT_EQ(txtFind->text(), "Beta");
    EXPECT_EQ(txtFind->selectedText(), "eta");
    QTest::keyClick(txtFind, Qt::Key_Backspace);
    EXPECT_EQ(txtFind->text(), "B") << "as the user edited it";
    EXPECT_TRUE(txtFind->selectedText().isEmpty());
    EXPECT_EQ(core->playlist().curFile(), folder + "Beta.mp3");
}

// Where the moves stop and what OK stores is the core's; here the buttons reach it.
TEST_F(PlaylistWindowTest, SettingsMovesAndOkReachTheCoreAndARefusalKeepsTheDialogOpen) {
    core->files().listSettings().open();
    const QString first = entry(0), second = entry(1);
    dialog.lstLvCol->setCurrentRow(0);
    dialog.cmdMove[1]->click();
    EXPECT_EQ(entry(0), second);
    EXPECT_EQ(entry(1), first);
    EXPECT_EQ(dialog.lstLvCol->currentRow(), 1) << "the moved entry stays highlighted";
    for (int i = 0; i < dialog.lstLvCol->count(); ++i)
        dialog.lstLvCol->item(i)->setCheckState(Qt::Unchecked);
    dialog.show();
    dialog.cmdOK->click();
    EXPECT_TRUE(dialog.isVisible());
    dialog.lstLvCol->item(3)->setCheckState(Qt::Checked);
    dialog.cmdOK->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(core->playlist().columnCount(), 1);
}

} // namespace
} // namespace vantrel
