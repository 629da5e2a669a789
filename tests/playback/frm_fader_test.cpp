// The "Volume Fader Control" dialog: the values it opens with, the limiter label, and what OK
// and Cancel leave behind.
#include "playback/playback_rig.h"
#include "playback/ui/frm_fader.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

struct FrmFaderTest : ::testing::Test, test::OutputRig {
    FaderSettings settings{fader, ini};
    frmFader dialog{settings};
};

TEST_F(FrmFaderTest, BarsOpenAtTheFadersValuesAndTheLimitLabelFollows) {
    EXPECT_EQ(dialog.VScroll1[0]->value(), fader.fadeInSpeed());
    EXPECT_EQ(dialog.VScroll1[1]->value(), fader.fadeOutSpeed());
    dialog.VScrollVolMax->setValue(15);
    EXPECT_EQ(dialog.lblAutoVol->text().toStdString(), FaderSettings::lblAutoVol(15));
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
