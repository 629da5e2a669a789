// The main window wired to its core: what the user does in the list reaches the core.
#include "app/tagger_core.h"
#include "app/ui/frm_tagger.h"
#include "metadata/id3v1_block.h"
#include "support/fake_player.h"
#include "support/manual_timer.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace vantrel {
namespace {

using test::FakePlayer;

struct NoShell : Shell {
    bool open(const std::string&) override { return true; }
};

struct BoundWindowTest : ::testing::Test {
    test::TempDir dir;
    IniStore ini{dir / "vantrel.ini"};
    test::ScriptedDialogs dialogs;
    NoShell shell;
    FakePlayer player1, player2;
    test::ManualTimer tmrCollect;
    TaggerCore core{TaggerPorts{ini, dialogs, shell, player1, player2, tmrCollect,
                                dir.path().string() + "/", false, true}};
    frmTagger window{true};

    void SetUp() override {
        ini.putIni("options", "long_disp", "1");
        player1.devices = {{"Speakers", 4095}};
        core.load();
        window.bind(core);
        window.show();
        for (const char* title : {"Charlie", "Alpha", "Bravo"}) {
            std::string path = dir.path().string() + "/" + title + ".mp3";
            test::writeFile(path,
                            std::string(300, 'x') + id3v1::compose({title, "", "", "", "", 1}));
            player2.files[path] = {};
            core.GetListTag(path);
        }
        QApplication::processEvents();
    }

    QString cell(int row, int column) {
        return window.ListView1->model()->index(row, column).data().toString();
    }

    void mouse(QEvent::Type type, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* viewport = window.ListView1->viewport();
        QPoint at(10, window.ListView1->rowViewportPosition(row) + 2);
        Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, viewport->mapToGlobal(at), Qt::LeftButton, held, modifiers);
        QApplication::sendEvent(viewport, &event);
    }
};

TEST_F(BoundWindowTest, RowsShowSortedAndCountersFollow) {
    ASSERT_EQ(window.ListView1->model()->rowCount(), 3);
    EXPECT_EQ(cell(0, 0), "Alpha");
    EXPECT_EQ(cell(2, 0), "Charlie");
    EXPECT_EQ(window.lblLstTotal->text(), "Total =  3");
    EXPECT_TRUE(window.ListView1->showGrid());
}

TEST_F(BoundWindowTest, HeaderClickSortsThroughTheCore) {
    emit window.ListView1->horizontalHeader()->sectionClicked(0);
    EXPECT_EQ(core.playlist().sortOrder(), SortOrder::Descending);
    EXPECT_EQ(cell(0, 0), "Charlie");
    EXPECT_TRUE(
        window.ListView1->model()->headerData(0, Qt::Horizontal).toString().endsWith("A<Z"));
}

TEST_F(BoundWindowTest, ClicksSelectRowsAndMakeTheTrackCurrent) {
    mouse(QEvent::MouseButtonPress, 1);
    mouse(QEvent::MouseButtonRelease, 1);
    EXPECT_EQ(core.playlist().curFile(), dir.path().string() + "/Bravo.mp3");
    mouse(QEvent::MouseButtonPress, 2, Qt::ControlModifier);
    mouse(QEvent::MouseButtonRelease, 2);
    EXPECT_EQ(core.playlist().selectedCount(), 2);
    EXPECT_EQ(window.lblLstSel->text().toStdString(), "Selected = 2");
}

TEST_F(BoundWindowTest, DraggingARowMovesItThroughTheCore) {
    mouse(QEvent::MouseButtonPress, 0);
    mouse(QEvent::MouseMove, 1);
    mouse(QEvent::MouseButtonRelease, 2);
    EXPECT_EQ(cell(2, 0), "Alpha");
    EXPECT_EQ(cell(0, 0), "Bravo");
}

TEST_F(BoundWindowTest, RightClickOpensTheOptionsMenu) {
    emit window.ListView1->customContextMenuRequested(QPoint(5, 5));
    EXPECT_TRUE(window.mnuList->isVisible());
    window.mnuList->hide();
}

TEST_F(BoundWindowTest, ListCommandsFromTheMenuReachTheCore) {
    window.mnuEdLvItm[0]->trigger();
    EXPECT_EQ(core.playlist().count(), 0);
    EXPECT_EQ(window.lblLstTotal->text(), "Total =  0");
    window.mnuEdit->trigger();
    EXPECT_EQ(dialogs.messages(), std::vector<std::string>{"No Tracks Selected to Edit"});
}

} // namespace
} // namespace vantrel
