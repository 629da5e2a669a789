// The "Volume Fader Control" dialog: its controls as the user sees them, the limiter label,
// and what OK and Cancel leave behind.
#include "playback/ui/frm_fader.h"
#include "support/fake_player.h"
#include "support/manual_timer.h"
#include "support/temp_dir.h"

#include <QLabel>
#include <gtest/gtest.h>

namespace vantrel {
namespace {

struct FrmFaderTest : ::testing::Test {
    test::TempDir dir;
    IniStore ini{dir / "vantrel.ini"};
    test::FakePlayer player;
    test::ManualTimer timer;
    PlaybackState state;
    Fader fader{player, timer, state};
    FaderSettings settings{fader, ini};

    void SetUp() override {
        ini.putIni("options", "vol", "100");
        fader.loadVolume(ini);
        fader.loadFadeSettings(ini);
    }
};

TEST_F(FrmFaderTest, ControlsCaptionsAndTooltips) {
    frmFader dialog(settings);
    EXPECT_EQ(dialog.windowTitle(), "Volume Fader Control");
    EXPECT_EQ(dialog.Frame1->title(), "Fader");
    struct Bar {
        QScrollBar* bar;
        const char* name;
        int min, max, value;
        const char* tip;
    };
    const Bar bars[] = {
        {dialog.VScroll1[0], "VScroll10", 5, 220, 120,
         "Used to control Fade IN speed of the Auto Fader"},
        {dialog.VScroll1[1], "VScroll11", 1, 120, 60,
         "Used to control Fade OUT speed of the Auto Fader"},
        {dialog.VScrollVolMax, "VScrollVolMax", 0, 100, 10,
         "Volume will Pause at the Value set on Fade In to stop it peaking to full volume in "
         "Auto Fade mode."},
    };
    for (const Bar& b : bars) {
        EXPECT_EQ(b.bar->objectName(), b.name);
        EXPECT_EQ(b.bar->orientation(), Qt::Vertical) << b.name;
        EXPECT_EQ(b.bar->minimum(), b.min) << b.name;
        EXPECT_EQ(b.bar->maximum(), b.max) << b.name;
        EXPECT_EQ(b.bar->value(), b.value) << b.name;
        EXPECT_EQ(b.bar->toolTip(), b.tip) << b.name;
    }
    QStringList captions;
    for (QLabel* l : dialog.findChildren<QLabel*>())
        captions << l->text();
    for (const char* text : {"Fade IN", "Fade OUT", "Fast", "Slow", "Fade In Volume Limiter",
                             "limit at", "10 = Max", "0 = Min"})
        EXPECT_TRUE(captions.contains(text)) << text;
    EXPECT_EQ(dialog.lblAutoVol->text(), "9");
    EXPECT_EQ(dialog.Command1->text(), "OK");
    EXPECT_EQ(dialog.cmdCancel->text(), "Cancel");
}

TEST_F(FrmFaderTest, LimiterLabelFollowsTheBar) {
    frmFader dialog(settings);
    for (auto [value, text] : {std::pair{20, "8"}, {15, "8.5"}, {0, "10"}, {100, "0"}}) {
        dialog.VScrollVolMax->setValue(value);
        EXPECT_EQ(dialog.lblAutoVol->text(), text) << value;
    }
}

TEST_F(FrmFaderTest, OkStoresAndCancelLeavesEverything) {
    {
        frmFader dialog(settings);
        dialog.VScroll1[1]->setValue(90);
        dialog.VScrollVolMax->setValue(40);
        dialog.cmdCancel->click();
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    EXPECT_EQ(fader.fadeOutSpeed(), 60);
    EXPECT_EQ(ini.getIni("options", "vol_out"), "");

    frmFader dialog(settings);
    dialog.VScroll1[1]->setValue(90);
    dialog.VScrollVolMax->setValue(40);
    dialog.Command1->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(fader.fadeLead(), 1800);
    EXPECT_EQ(ini.getIni("options", "vol_pause"), "60");
    EXPECT_EQ(ini.getIni("options", "prem_fade"), "1800");
    EXPECT_EQ(ini.getIni("options", "vol_in"), "120");
    EXPECT_EQ(ini.getIni("options", "vol_out"), "90");
}

} // namespace
} // namespace vantrel
