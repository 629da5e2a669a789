// The "Audio Output Settings" dialog: controls as the user sees them, the state it shows, and
// the edits, OK and Cancel reaching the output selection.
#include "playback/ui/frm_sound_opt.h"
#include "support/fake_player.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace vantrel {
namespace {

struct FrmSoundOptTest : ::testing::Test {
    test::TempDir dir;
    IniStore ini{dir / "vantrel.ini"};
    test::FakePlayer player;
    test::ScriptedDialogs dialogs;
    PlaybackState state;
    AudioOutput output{player, dialogs, ini, state};

    void SetUp() override {
        player.devices = {{"Default"}, {"Headphones"}};
        ini.putIni("options", "sound_card", "1");
        ini.putIni("options", "audio_dest", "/music/out.wav");
        output.load({"Default", "Headphones"});
    }
};

TEST_F(FrmSoundOptTest, ControlsCaptionsAndTooltips) {
    frmSoundOpt dialog(output);
    EXPECT_EQ(dialog.windowTitle(), "Audio Output Settings");
    EXPECT_EQ(dialog.Frame1->title(), "Select Audio Output");
    EXPECT_EQ(dialog.txtDestWave->toolTip(), "Add Wave File Name");
    EXPECT_EQ(dialog.cmdGet->text(), "Browse");
    struct Option {
        QRadioButton* button;
        const char *name, *caption, *tip;
    };
    const Option options[] = {
        {dialog.Option2[0], "Option20", "Use >>", "Use the Wav file name in the Text Box"},
        {dialog.Option2[1], "Option21", "Use MP3 Name",
         "Use's the MP3 file name less the .mp3 extension then adds .wav to the Decoded Audio "
         "file."},
        {dialog.Option1[0], "Option10", "Wave File >",
         "Decodes MP3 Audio to a Wave file using options to the right."},
        {dialog.Option1[1], "Option11", "Sound Card >",
         "Decodes MP3 Audio to the sound card chosen below."},
    };
    for (const Option& o : options) {
        EXPECT_EQ(o.button->objectName(), o.name);
        EXPECT_EQ(o.button->text(), o.caption);
        EXPECT_EQ(o.button->toolTip(), o.tip);
    }
    EXPECT_EQ(dialog.cmdOK->text(), "OK");
    EXPECT_EQ(dialog.cmdCancel->text(), "Cancel");
}

TEST_F(FrmSoundOptTest, ShowsTheLoadedChoices) {
    frmSoundOpt dialog(output);
    ASSERT_EQ(dialog.cmbAudio->count(), 2);
    EXPECT_EQ(dialog.cmbAudio->currentIndex(), 1);
    EXPECT_EQ(dialog.txtDestWave->text(), "/music/out.wav");
    EXPECT_TRUE(dialog.Option1[1]->isChecked());
    EXPECT_FALSE(dialog.Option1[0]->isChecked());
    EXPECT_TRUE(dialog.Option2[0]->isChecked()) << "out_as_mp missing reads as \"Use >>\"";
}

TEST_F(FrmSoundOptTest, EditsThenOkStoreAndHide) {
    frmSoundOpt dialog(output);
    dialog.show();
    dialog.txtDestWave->setText("");
    dialog.txtDestWave->insert("/x/y.wav"); // as typed
    dialog.Option2[1]->click();
    dialog.Option1[0]->click();
    dialog.cmdOK->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(ini.getIni("options", "audio_dest"), "/x/y.wav");
    EXPECT_EQ(ini.getIni("options", "out_to_wav"), "1");
    EXPECT_EQ(state.waveDest, ".wav");
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(FrmSoundOptTest, CancelAndEscapeRestoreTheStoredChoices) {
    frmSoundOpt dialog(output);
    for (bool escape : {false, true}) {
        dialog.show();
        dialog.txtDestWave->setText("");
        dialog.txtDestWave->insert("/typed.wav");
        dialog.Option1[0]->click();
        if (escape)
            dialog.reject();
        else
            dialog.cmdCancel->click();
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.txtDestWave->text(), "/music/out.wav");
        EXPECT_TRUE(dialog.Option1[1]->isChecked());
        EXPECT_EQ(state.waveDest, "");
    }
}

TEST_F(FrmSoundOptTest, BrowseFillsTheName) {
    frmSoundOpt dialog(output);
    dialogs.inputs.push_back("/picked.wav");
    dialog.cmdGet->click();
    EXPECT_EQ(dialog.txtDestWave->text(), "/picked.wav");
}

} // namespace
} // namespace vantrel
