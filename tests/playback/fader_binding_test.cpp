// The main window's fader and output controls wired to their cores: presses and releases of
// the volume buttons, the "Fade" menu, the meter, and the two settings dialogs.
#include "app/ui/frm_tagger.h"
#include "playback/ui/fader_binding.h"
#include "playback/ui/frm_fader.h"
#include "playback/ui/frm_sound_opt.h"
#include "playback/ui/sound_opt_binding.h"
#include "support/fake_player.h"
#include "support/manual_timer.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <gtest/gtest.h>

namespace vantrel {
namespace {

struct FaderBindingTest : ::testing::Test {
    test::TempDir dir;
    IniStore ini{dir / "vantrel.ini"};
    test::FakePlayer player;
    test::ManualTimer tmrVolume;
    PlaybackState state;
    Fader fader{player, tmrVolume, state};
    frmTagger window{false};
    FaderBinding* binding = nullptr;

    void SetUp() override {
        ini.putIni("options", "vol", "50");
        fader.loadVolume(ini);
        fader.loadFadeSettings(ini);
        binding = new FaderBinding(window, fader, ini);
    }

    void mouse(QEvent::Type type, int index) {
        QPushButton* b = window.cmdVolume[index];
        QPointF at(5, 5);
        QMouseEvent e(type, at, b->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
        QApplication::sendEvent(b, &e);
    }
    void key(QEvent::Type type, int index, int code, bool repeat = false) {
        QKeyEvent e(type, code, Qt::NoModifier, QString(), repeat);
        QApplication::sendEvent(window.cmdVolume[index], &e);
    }
    int lit() const {
        int n = 0;
        for (QFrame* s : window.Shape4)
            n += s->styleSheet().contains("#40ff40");
        return n;
    }
};

TEST_F(FaderBindingTest, MouseHoldOnUpRampsAndTheMeterFollows) {
    EXPECT_EQ(lit(), 6);
    mouse(QEvent::MouseButtonPress, 0);
    EXPECT_TRUE(tmrVolume.enabled());
    tmrVolume.fire(2);
    mouse(QEvent::MouseButtonRelease, 0);
    EXPECT_FALSE(tmrVolume.enabled());
    EXPECT_EQ(fader.volume(), 60);
    EXPECT_EQ(lit(), 7);
}

TEST_F(FaderBindingTest, OnlyAKeyOnDownArmsTheLimiterAndRepeatsAreIgnored) {
    FaderSettings(fader, ini).ok(120, 60, 100); // limiter off
    mouse(QEvent::MouseButtonPress, 1);
    mouse(QEvent::MouseButtonRelease, 1);
    EXPECT_FALSE(fader.limitArmed());
    key(QEvent::KeyPress, 1, Qt::Key_D);
    EXPECT_TRUE(fader.limitArmed());
    key(QEvent::KeyRelease, 1, Qt::Key_D, true);
    key(QEvent::KeyPress, 1, Qt::Key_D, true);
    EXPECT_TRUE(tmrVolume.enabled()) << "an auto-repeat release does not stop the ramp";
    key(QEvent::KeyRelease, 1, Qt::Key_D);
    EXPECT_FALSE(tmrVolume.enabled());
    key(QEvent::KeyPress, 0, Qt::Key_Tab);
    EXPECT_FALSE(tmrVolume.enabled()) << "Tab only moves the focus";
}

TEST_F(FaderBindingTest, FadeMenuEntriesReachTheFaderAndShowItsState) {
    EXPECT_FALSE(window.mnuFadeStop->isEnabled());
    EXPECT_FALSE(window.mnuFadeDir[1]->isEnabled());
    window.mnuFadeDir[0]->trigger();
    EXPECT_TRUE(fader.autoFadeIn());
    EXPECT_TRUE(window.mnuFadeDir[1]->isEnabled());
    window.mnuFadeHold->trigger();
    window.mnuFadeStop->trigger();
    EXPECT_TRUE(window.mnuFadeStop->isChecked());
    fader.clearStopMark(); // the transport's Stop press
    EXPECT_FALSE(window.mnuFadeStop->isChecked());
}

TEST_F(FaderBindingTest, FadeButtonOpensTheMenu) {
    window.show();
    window.cmdFade->click();
    EXPECT_TRUE(window.mnuFade->isVisible());
    window.mnuFade->hide();
}

TEST_F(FaderBindingTest, FadeSettingsOpensTheDialogModally) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<frmFader*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        seen = true;
        dialog->VScroll1[0]->setValue(33);
        dialog->Command1->click();
    });
    window.mnuFadeSet->trigger();
    EXPECT_TRUE(seen);
    EXPECT_EQ(fader.fadeInSpeed(), 33);
    EXPECT_TRUE(window.findChildren<frmFader*>().isEmpty()) << "destroyed when closed";
}

TEST_F(FaderBindingTest, SoundOutputSettingsShowsTheHiddenDialog) {
    test::ScriptedDialogs dialogs;
    player.devices = {{"Default"}};
    AudioOutput output(player, dialogs, ini, state);
    output.load({"Default"});
    auto* sound = new SoundOptBinding(window, output);
    EXPECT_FALSE(sound->dialog().isVisible());
    bool seen = false;
    QTimer::singleShot(0, [&] {
        seen = QApplication::activeModalWidget() == &sound->dialog();
        sound->dialog().cmdCancel->click();
    });
    window.mnuSoundOpt->trigger();
    EXPECT_TRUE(seen);
    EXPECT_FALSE(sound->dialog().isVisible());
    EXPECT_EQ(window.findChildren<frmSoundOpt*>().size(), 1) << "hidden, not destroyed";
}

} // namespace
} // namespace vantrel
