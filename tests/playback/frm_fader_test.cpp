// The "Volume Fader Control" dialog: its controls as the user sees them, the limiter label,
// and what OK and Cancel leave behind.
#include "playback/ui/frm_fader.h"
#include "support/fake_player.h"
#include "support/manual_timer.h"
#include "support/temp_dir.h"

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
    frmFader dialog{settings};
};

TEST_F(FrmFaderTest, ControlsCaptionsAndTooltips) {
    EXPECT_EQ(dialog.windowTitle(), "Volume Fader Control");
    EXPECT_EQ(dialog.Frame1->title(), "Fader");
    struct Bar {
        QScrollBar* bar;
        int min, max, value;
        const char* tip;
    };
    for (const Bar& b : {
             Bar{dialog.VScroll1[0], 5, 220, 120,
                 "Used to control Fade IN speed of the Auto Fader"},
             Bar{dialog.VScroll1[1], 1, 120, 60,
                 "Used to control Fade OUT speed of the Auto Fader"},
             Bar{dialog.VScrollVolMax, 0, 100, 10,
                 "Volume will Pause at the Value set on Fade In to stop it peaking to full volume "
                 "in Auto Fade mode."},
         }) {
        EXPECT_EQ(b.bar->orientation(), Qt::Vertical);
        EXPECT_EQ((std::vector<int>{b.bar->minimum(), b.bar->maximum(), b.bar->value()}),
                  (std::vector<int>{b.min, b.max, b.value}));
        EXPECT_EQ(b.bar->toolTip(), b.tip);
    }
    QStringList captions;
    for (QLabel* l : dialog.findChildren<QLabel*>())
        captions << l->text();
    for (const char* text : {"Fade IN", "Fade OUT", "Fast", "Slow", "Fade In Volume Limiter",
                             "limit at", "10 = Max", "0 = Min", "9"})
        EXPECT_TRUE(captions.contains(text)) << text;
    dialog.VScrollVolMax->setValue(15);
    EXPECT_EQ(dialog.lblAutoVol->text(), "8.5") << "the label follows the bar";
}

TEST_F(FrmFaderTest, CancelLeavesEverythingAndOkStores) {
    dialog.VScroll1[1]->setValue(90);
    dialog.cmdCancel->click();
    EXPECT_EQ(fader.fadeOutSpeed(), 60);
    EXPECT_EQ(ini.getIni("options", "vol_out"), "");

    frmFader again(settings);
    again.VScroll1[1]->setValue(90);
    again.Command1->click();
    EXPECT_EQ(again.result(), QDialog::Accepted);
    EXPECT_EQ(fader.fadeOutSpeed(), 90);
    EXPECT_EQ(ini.getIni("options", "vol_out"), "90");
}

} // namespace
} // namespace vantrel
