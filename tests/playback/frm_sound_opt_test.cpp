// The "Audio Output Settings" dialog: the state it shows, and the edits, OK and Cancel reaching
// the output selection.
#include "playback/playback_rig.h"
#include "playback/ui/frm_sound_opt.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

struct FrmSoundOptTest : ::testing::Test, test::OutputRig {
    void SetUp() override {
        player.devices = {{"Default"}, {"Headphones"}};
        EXPECT_TRUE(ini.putIni("options", "sound_card", "1"));
        EXPECT_TRUE(ini.putIni("options", "audio_dest", "/music/out.wav"));
        output.load({"Default", "Headphones"});
    }
    // Typing, which the dialog tells apart from its own redraws.
    static void type(QLineEdit* box, const char* text) {
        box->clear();
        box->insert(text);
    }
};

TEST_F(FrmSoundOptTest, CancelAndEscapeShowTheLoadedChoicesAgainAndOkStores) {
    frmSoundOpt dialog(output);
    EXPECT_EQ(dialog.cmbAudio->count(), 2);
    for (bool escape : {false, true}) {
        dialog.show();
        type(dialog.txtDestWave, "/typed.wav");
        dialog.Option1[0]->click();
        dialog.cmbAudio->setCurrentIndex(0);
        emit dialog.cmbAudio->activated(0);
        player.calls.clear();
        escape ? dialog.reject() : dialog.cmdCancel->click();
        EXPECT_TRUE(player.callsTo("SelectDevice").empty());
        EXPECT_EQ(state.waveDest, "") << "nothing edited is applied";
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_TRUE(dialog.Option2[0]->isChecked());
        EXPECT_TRUE(dialog.Option1[1]->isChecked());
        EXPECT_EQ(dialog.cmbAudio->currentIndex(), 1);
        EXPECT_EQ(dialog.txtDestWave->text(), "/music/out.wav");
    }
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
