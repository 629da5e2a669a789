// The main window's fader and output controls wired to their cores: presses and releases of
// the volume buttons, the "Fade" menu, the meter, and the two settings dialogs.
#include "playback/playback_rig.h"
#include "playback/ui/fader_binding.h"
#include "playback/ui/frm_fader.h"
#include "playback/ui/frm_sound_opt.h"
#include "playback/ui/sound_opt_binding.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <gtest/gtest.h>

namespace vantrel {
namespace {

// The controls a window would own, in a plain widget.
FaderControls makeControls(QWidget& window) {
    FaderControls c;
    c.window = &window;
    for (auto& b : c.cmdVolume)
        b = new QPushButton(&window);
    c.cmdFade = new QPushButton(&window);
    c.mnuFade = new QMenu(&window);
    c.mnuFadeStop = c.mnuFade->addAction("");
    c.mnuFadeHold = c.mnuFade->addAction("");
    for (auto& a : c.mnuFadeDir)
        a = c.mnuFade->addAction("");
    c.mnuFadeSet = c.mnuFade->addAction("");
    for (auto& lamp : c.Shape4)
        lamp = new Lamp("", Qt::green, Lamp::Shape::Bar, &window);
    return c;
}

struct FaderBindingTest : ::testing::Test, test::OutputRig {
    QWidget window;
    FaderControls c = makeControls(window);
    FaderBinding binding{c, fader, ini};

    FaderBindingTest() {
        EXPECT_TRUE(ini.putIni("options", "vol", "50"));
        fader.loadVolume(ini);
        fader.loadFadeSettings(ini);
    }

    void mouse(QEvent::Type type, int index) {
        QPushButton* b = c.cmdVolume[index];
        QPointF at(5, 5);
        QMouseEvent e(type, at, b->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
        QApplication::sendEvent(b, &e);
    }
    void key(QEvent::Type type, int index, int code, bool repeat = false) {
        QKeyEvent e(type, code, Qt::NoModifier, QString(), repeat);
        QApplication::sendEvent(c.cmdVolume[index], &e);
    }
    bool meterShowsTheFader() const {
        for (int i = 0; i < 10; ++i)
            if (c.Shape4[i]->lit() != fader.meter()[i]) return false;
        return true;
    }
};

TEST_F(FaderBindingTest, MouseHoldOnUpRampsAndTheMeterFollows) {
    EXPECT_TRUE(meterShowsTheFader());
    mouse(QEvent::MouseButtonPress, 0);
    tmrVolume.fire(2);
    mouse(QEvent::MouseButtonRelease, 0);
    EXPECT_FALSE(tmrVolume.enabled());
    EXPECT_EQ(fader.volume(), 60);
    EXPECT_TRUE(meterShowsTheFader());
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

// Which entry enables which is the fader's rule; here only that entries and state travel.
TEST_F(FaderBindingTest, FadeButtonAndMenuEntriesReachTheFaderAndShowItsState) {
    window.show();
    c.cmdFade->click();
    EXPECT_TRUE(c.mnuFade->isVisible());
    c.mnuFade->hide();
    EXPECT_FALSE(c.mnuFadeDir[1]->isEnabled());
    c.mnuFadeDir[0]->trigger();
    EXPECT_TRUE(fader.autoFadeIn() && c.mnuFadeDir[1]->isEnabled());
    c.mnuFadeHold->trigger();
    c.mnuFadeStop->trigger();
    EXPECT_TRUE(c.mnuFadeStop->isChecked());
    fader.clearStopMark(); // the transport's Stop press
    EXPECT_FALSE(c.mnuFadeStop->isChecked());
}

TEST_F(FaderBindingTest, FadeSettingsDialogOpensModallyAndStoresOnlyOnOk) {
    for (bool ok : {false, true}) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<frmFader*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            seen = true;
            EXPECT_EQ(dialog->VScroll1[0]->value(), fader.fadeInSpeed());
            dialog->VScroll1[0]->setValue(33);
            dialog->VScrollVolMax->setValue(15);
            EXPECT_EQ(dialog->lblAutoVol->text().toStdString(), FaderSettings::lblAutoVol(15));
            (ok ? dialog->Command1 : dialog->cmdCancel)->click();
        });
        c.mnuFadeSet->trigger();
        EXPECT_TRUE(seen);
        EXPECT_EQ(fader.fadeInSpeed(), ok ? 33 : 120);
        EXPECT_EQ(ini.getIni("options", "vol_in"), ok ? "33" : "");
    }
    EXPECT_TRUE(window.findChildren<frmFader*>().isEmpty()) << "destroyed when closed";
}

TEST_F(FaderBindingTest, OpeningAndClosingLeavesNoListenerBehind) {
    const std::size_t fader0 = fader.changed.connectionCount();
    const std::size_t output0 = output.changed.connectionCount();
    for (int i = 0; i < 1000; ++i) {
        FaderBinding again(c, fader, ini);
        frmSoundOpt dialog(output, &window);
    }
    EXPECT_EQ(fader.changed.connectionCount(), fader0);
    EXPECT_EQ(output.changed.connectionCount(), output0);
    fader.mnuFadeHold_Click(); // a change after the bindings went must reach no dead one
}

// The output dialog is made once and kept hidden; Cancel and Escape show what was stored again,
// and OK stores.
TEST_F(FaderBindingTest, SoundOutputDialogOpensModallyAndOnlyOkStores) {
    player.devices = {{"Default"}, {"Headphones"}};
    EXPECT_TRUE(ini.putIni("options", "sound_card", "1"));
    EXPECT_TRUE(ini.putIni("options", "audio_dest", "/music/out.wav"));
    output.load({"Default", "Headphones"});
    QAction mnuSoundOpt;
    frmSoundOpt& dialog = (new SoundOptBinding(window, mnuSoundOpt, output))->dialog();
    EXPECT_FALSE(dialog.isVisible());
    // Typing, which the dialog tells apart from its own redraws.
    auto type = [](QLineEdit* box, const char* text) {
        box->clear();
        box->insert(text);
    };
    for (bool escape : {false, true}) {
        QTimer::singleShot(0, [&] {
            EXPECT_EQ(QApplication::activeModalWidget(), &dialog);
            type(dialog.txtDestWave, "/typed.wav");
            dialog.Option1[0]->click();
            dialog.cmbAudio->setCurrentIndex(0);
            emit dialog.cmbAudio->activated(0);
            player.calls.clear();
            escape ? dialog.reject() : dialog.cmdCancel->click();
        });
        mnuSoundOpt.trigger();
        EXPECT_TRUE(player.callsTo("SelectDevice").empty());
        EXPECT_EQ(state.waveDest, "") << "nothing edited is applied";
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_TRUE(dialog.Option2[0]->isChecked());
        EXPECT_TRUE(dialog.Option1[1]->isChecked());
        EXPECT_EQ(dialog.cmbAudio->currentIndex(), 1);
        EXPECT_EQ(dialog.txtDestWave->text(), "/music/out.wav");
    }
    EXPECT_EQ(window.findChildren<frmSoundOpt*>().size(), 1) << "hidden, not destroyed";
    dialogs.inputs.push_back("/picked.wav");
    dialog.cmdGet->click();
    EXPECT_EQ(dialog.txtDestWave->text(), "/picked.wav");
    dialogs.shown.clear();
    dialog.show();
    type(dialog.txtDestWave, "/x/y.wav");
    dialog.Option2[1]->click();
    dialog.Option1[0]->click();
    dialog.cmdOK->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(ini.getIni("options", "audio_dest"), "/x/y.wav");
    EXPECT_EQ(state.waveDest, ".wav");
    EXPECT_TRUE(dialogs.shown.empty());
}

} // namespace
} // namespace vantrel
