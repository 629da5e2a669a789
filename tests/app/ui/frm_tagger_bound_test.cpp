// The main window wired to its core: what the user does in the list reaches the core.
#include "app/tagger_core.h"
#include "app/ui/frm_tagger.h"
#include "metadata/id3v1_block.h"
#include "support/fake_player.h"
#include "support/manual_timer.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_random.h"
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
    test::ManualTimer tmrCollect, tmrDisp, tmrShutDelay, tmrShutl, tmrVolume;
    test::ScriptedRandom random;
    TaggerCore core{TaggerPorts{ini, dialogs, shell, player1, player2, tmrCollect, tmrDisp,
                                tmrShutDelay, tmrShutl, tmrVolume, random,
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

    // A left-button event at a point of a widget, or on a row of the list.
    static void send(QWidget* to, QEvent::Type type, QPoint at = {4, 4},
                     Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, to->mapToGlobal(at), Qt::LeftButton, held, modifiers);
        QApplication::sendEvent(to, &event);
    }
    void mouse(QEvent::Type type, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        send(window.ListView1->viewport(), type,
             QPoint(10, window.ListView1->rowViewportPosition(row) + 2), modifiers);
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
    EXPECT_EQ(core.playlist().sorting().sortOrder(), SortOrder::Descending);
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

// A track of 10000 frames on the playing instance for each row.
struct TransportWindowTest : BoundWindowTest {
    void SetUp() override {
        BoundWindowTest::SetUp();
        for (const auto& [path, stream] : player2.files)
            player1.files[path] = FakePlayer::Stream{26.122449f, 261224, 10000, 44100, 128000};
        mouse(QEvent::MouseButtonPress, 0);
        mouse(QEvent::MouseButtonRelease, 0);
    }
    bool lit(QFrame* shape) { return !shape->styleSheet().contains("#303030"); }
};

TEST_F(TransportWindowTest, PlayClickPlaysTheCurrentTrackAndTheWindowShowsIt) {
    ASSERT_TRUE(window.cmdPlay[0]->isEnabled());
    EXPECT_FALSE(window.cmdPlay[1]->isEnabled());
    window.cmdPlay[0]->click();
    EXPECT_EQ(player1.openPath, dir.path().string() + "/Alpha.mp3");
    const bool enabled[3] = {false, true, true};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(window.cmdPlay[i]->isEnabled(), enabled[i]) << i;
        EXPECT_EQ(window.mnuPlayer[i]->isEnabled(), enabled[i]) << i;
    }
    EXPECT_TRUE(window.cmdShutl[0]->isEnabled());
    EXPECT_TRUE(window.chkAutoPlay->isChecked());
    EXPECT_TRUE(lit(window.Shape1[0]));
    EXPECT_FALSE(lit(window.Shape1[2]));
    EXPECT_TRUE(window.linePlay->styleSheet().contains("#00ff00"));
    EXPECT_EQ(window.txtTempFactor->text(), "+0%");

    player1.raiseActFrame(2297);
    tmrDisp.fire();
    EXPECT_EQ(window.lblCounter->text(), "01:00");
    EXPECT_EQ(window.linePlay->width(), 88); // 0.2297 of 384 pixels
    EXPECT_TRUE(window.ShapeLinLead->isVisibleTo(&window));
}

TEST_F(TransportWindowTest, SpaceOnTheListPlaysAndAHeldStopButtonLightsUp) {
    QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
    QApplication::sendEvent(window.ListView1, &space);
    EXPECT_EQ(core.playbackState().playStatus, "Playing");
    send(window.cmdPlay[1], QEvent::MouseButtonPress);
    EXPECT_TRUE(lit(window.Shape1[1]));
    send(window.cmdPlay[1], QEvent::MouseButtonRelease);
    EXPECT_FALSE(lit(window.Shape1[1]));
    EXPECT_EQ(core.playbackState().playStatus, "Stopped");
    EXPECT_FALSE(window.chkAutoPlay->isChecked());
    EXPECT_EQ(window.lblCounter->text(), "00:00");
    EXPECT_FALSE(window.ShapeLinLead->isVisibleTo(&window));
}

TEST_F(TransportWindowTest, TrayMuteTicksBothBoxesAndRenamesItself) {
    window.mnuMute->trigger();
    EXPECT_TRUE(window.chkVol[0]->isChecked());
    EXPECT_TRUE(window.chkVol[1]->isChecked());
    EXPECT_EQ(window.mnuMute->text(), "Un Mute");
    window.cmdTempo[1]->click();
    EXPECT_EQ(window.txtTempFactor->text(), "+1%");
}

} // namespace
} // namespace vantrel
