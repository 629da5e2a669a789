// The main window wired to its core: what the user does in the list reaches the core.
#include "app/core_rig.h"
#include "app/ui/frm_tagger.h"
#include "playback/ui/tray_menu.h"

#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <gtest/gtest.h>

namespace vantrel {
namespace {

struct BoundWindowTest : ::testing::Test, test::CoreRig {
    std::unique_ptr<TaggerCore> corePtr = make(false, true);
    TaggerCore& core = *corePtr;
    TrayMenu tray{core.transport()};
    frmTagger window{true};
    QTableView* ListView1 = nullptr;

    void SetUp() override {
        EXPECT_TRUE(ini.putIni("options", "long_disp", "1"));
        player1.devices = {{"Speakers", 4095}};
        core.load();
        window.bind(core, tray);
        window.show();
        for (const char* title : {"Charlie", "Alpha", "Bravo"})
            core.GetListTag(track(std::string(title) + ".mp3", title));
        ListView1 = w<QTableView>("ListView1");
        QApplication::processEvents();
    }

    // A control of the window, or of the tray menu, by its name.
    template <typename T> T* w(const char* name) {
        T* found = window.findChild<T*>(name);
        if (!found) found = tray.findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QString text(const char* label) { return w<QLabel>(label)->text(); }
    bool lit(const char* lamp) { return w<QWidget>(lamp)->property("lit").toBool(); }

    QString cell(int row, int column) {
        return ListView1->model()->index(row, column).data().toString();
    }

    // A left-button event at a point of a widget, or on a row of the list.
    static void send(QWidget* to, QEvent::Type type, QPoint at = {4, 4},
                     Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, to->mapToGlobal(at), Qt::LeftButton, held, modifiers);
        QApplication::sendEvent(to, &event);
    }
    void mouse(QEvent::Type type, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        send(ListView1->viewport(), type, QPoint(10, ListView1->rowViewportPosition(row) + 2),
             modifiers);
    }
};

TEST_F(BoundWindowTest, RowsShowSortedAndClicksAndAHeaderClickReachTheCore) {
    ASSERT_EQ(ListView1->model()->rowCount(), 3);
    EXPECT_EQ(cell(0, 0), "Alpha");
    mouse(QEvent::MouseButtonPress, 1);
    mouse(QEvent::MouseButtonRelease, 1);
    EXPECT_EQ(core.playlist().curFile(), folder + "Bravo.mp3");
    mouse(QEvent::MouseButtonPress, 2, Qt::ControlModifier);
    mouse(QEvent::MouseButtonRelease, 2);
    EXPECT_EQ(core.playlist().selectedCount(), 2);
    emit ListView1->horizontalHeader()->sectionClicked(0);
    EXPECT_EQ(core.playlist().sorting().sortOrder(), SortOrder::Descending);
    EXPECT_EQ(cell(0, 0), "Charlie");
}

TEST_F(BoundWindowTest, RightClickOpensTheOptionsMenuWhoseCommandsReachTheCore) {
    emit ListView1->customContextMenuRequested(QPoint(5, 5));
    EXPECT_TRUE(w<QMenu>("mnuList")->isVisible());
    w<QMenu>("mnuList")->hide();
    w<QAction>("mnuEdLvItm0")->trigger();
    EXPECT_EQ(core.playlist().count(), 0);
    EXPECT_EQ(text("lblLstTotal"), "Total =  0");
}

struct TransportWindowTest : BoundWindowTest {
    void SetUp() override {
        BoundWindowTest::SetUp();
        mouse(QEvent::MouseButtonPress, 0);
        mouse(QEvent::MouseButtonRelease, 0);
    }
    QPushButton* button(const char* name) { return w<QPushButton>(name); }
    void key(QWidget* to, QEvent::Type type, ulong time) {
        QKeyEvent event(type, Qt::Key_Space, Qt::NoModifier, " ");
        event.setTimestamp(time);
        QApplication::sendEvent(to, &event);
    }
};

TEST_F(TransportWindowTest, PlayClickPlaysTheCurrentTrackAndTheWindowShowsIt) {
    ASSERT_TRUE(button("cmdPlay0")->isEnabled());
    button("cmdPlay0")->click();
    EXPECT_EQ(player1.openPath, folder + "Alpha.mp3");
    EXPECT_FALSE(button("cmdPlay0")->isEnabled());
    EXPECT_TRUE(w<QAction>("mnuPlayer2")->isEnabled());
    EXPECT_TRUE(w<QCheckBox>("chkAutoPlay")->isChecked());
    EXPECT_TRUE(lit("Shape10"));

    player1.raiseActFrame(2297);
    timers["tmrDisp"].fire();
    EXPECT_EQ(text("lblCounter"), QString::fromStdString(core.timeDisplay().lblCounter()));
    EXPECT_GT(w<QWidget>("linePlay")->width(), 0);
    EXPECT_TRUE(w<QWidget>("ShapeLinLead")->isVisibleTo(&window));
}

TEST_F(TransportWindowTest, SpaceOnTheListPlaysAndAHeldStopButtonLightsUp) {
    key(ListView1, QEvent::KeyPress, 1);
    EXPECT_EQ(core.transport().status(), PlayStatus::Playing);
    send(button("cmdPlay1"), QEvent::MouseButtonPress);
    EXPECT_TRUE(lit("Shape11"));
    send(button("cmdPlay1"), QEvent::MouseButtonRelease);
    EXPECT_FALSE(lit("Shape11"));
    EXPECT_EQ(core.transport().status(), PlayStatus::Stopped);
    EXPECT_FALSE(w<QCheckBox>("chkAutoPlay")->isChecked());
    EXPECT_FALSE(w<QWidget>("ShapeLinLead")->isVisibleTo(&window));
}

// X repeats a held key as releases and presses that do not say they repeat.
TEST_F(TransportWindowTest, AHeldSpaceBarShuttlesOnce) {
    button("cmdPlay0")->click();
    QPushButton* forward = button("cmdShutl1");
    std::size_t seeks = player1.callsTo("SeekFrame").size();
    key(forward, QEvent::KeyPress, 100);
    for (ulong t : {130, 160, 190}) {
        key(forward, QEvent::KeyRelease, t);
        key(forward, QEvent::KeyPress, t);
        QApplication::processEvents();
    }
    EXPECT_TRUE(core.transport().shuttling());
    key(forward, QEvent::KeyRelease, 400);
    QApplication::processEvents();
    EXPECT_FALSE(core.transport().shuttling());
    EXPECT_EQ(player1.callsTo("SeekFrame").size(), seeks + 1);
}

// A box opened while files are added (a decoder error, say) runs inside the pump that holds
// clicks back, and must still take its answer.
TEST_F(BoundWindowTest, ABoxOpenedWhileFilesAreAddedCanBeAnswered) {
    int answer = 0;
    auto openBox = [&] {
        QMessageBox box(QMessageBox::Critical, "", "", QMessageBox::Ok, &window);
        QTimer::singleShot(0, &box, [&] {
            mouse(QEvent::MouseButtonPress, 0); // the list itself is still held back
            send(box.button(QMessageBox::Ok), QEvent::MouseButtonPress);
            send(box.button(QMessageBox::Ok), QEvent::MouseButtonRelease);
        });
        QTimer::singleShot(5000, &box, [&] { box.done(-1); }); // a hang guard only
        answer = box.exec();
    };
    QMetaObject::invokeMethod(&window, openBox, Qt::QueuedConnection);
    const PlaylistRow* selected = core.playlist().selection().selectedRow();
    core.dropPaths({track("Delta.mp3", "Delta")});
    EXPECT_EQ(answer, QMessageBox::Ok);
    EXPECT_EQ(core.playlist().selection().selectedRow(), selected);
}

// The busy pointer stays on the main window: a message box keeps its own.
TEST_F(BoundWindowTest, LayoutsSetPlaylistVisibilityAndShapeAndClosingUnloadsOnce) {
    core.transport().busy(true);
    EXPECT_EQ(window.cursor().shape(), Qt::WaitCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    core.transport().busy(false);
    EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);

    window.applyLayout(304, true, true, MainLayout::Shape::Square);
    EXPECT_TRUE(w<QWidget>("ListView1")->isVisibleTo(&window));
    window.applyLayout(89, false, false, MainLayout::Shape::Square);
    EXPECT_FALSE(w<QWidget>("ListView1")->isVisibleTo(&window));
    EXPECT_FALSE(w<QWidget>("ShapeBorder")->isVisibleTo(&window));
    window.applyLayout(99, false, false, MainLayout::Shape::Rounded);
    EXPECT_FALSE(window.mask().contains(QPoint(1, 1))) << "the rounded shape cuts the corner";
    EXPECT_TRUE(window.mask().contains(QPoint(frmTagger::kWidth / 2, 50)));

    int unloads = 0;
    window.onUnload = [&] { ++unloads; };
    window.close();
    window.close();
    EXPECT_EQ(unloads, 1);
}

} // namespace
} // namespace vantrel
