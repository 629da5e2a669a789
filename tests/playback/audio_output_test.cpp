// Where decoded audio goes: the destination, the device selected, what OK stores, what Cancel
// restores, and when Browse opens by itself.
#include "playback/audio_output.h"
#include "playback/playback_rig.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using Keys = std::vector<std::pair<const char*, const char*>>;

struct AudioOutputTest : ::testing::Test, test::OutputRig {
    void SetUp() override { player.devices = {{"Default"}, {"Headphones"}, {"HDMI"}}; }
    void load(const Keys& keys) {
        for (auto [key, value] : keys)
            EXPECT_TRUE(ini.putIni("options", key, value));
        output.load({"Default", "Headphones", "HDMI"});
    }
    int browses() const {
        return static_cast<int>(
            std::count_if(dialogs.shown.begin(), dialogs.shown.end(), [](auto& s) {
                return s.kind == test::ScriptedDialogs::Shown::Kind::SaveFile;
            }));
    }
};

TEST_F(AudioOutputTest, LoadDecidesTheDestination) {
    for (auto [toWav, asMp, waveDest] :
         {std::tuple{"1", "1", ".wav"}, {"1", "0", "/out/x.wav"}, {"0", "1", ""}, {"", "", ""}}) {
        load({{"out_to_wav", toWav}, {"out_as_mp", asMp}, {"audio_dest", "/out/x.wav"}});
        EXPECT_EQ(state.waveDest, waveDest) << toWav << asMp;
    }
}

TEST_F(AudioOutputTest, ListPositionsAreMatchedToThePlayersDevicesByName) {
    // The probe left out "Mono" (player device 1), so the list's second entry is device 2.
    player.devices = {{"Default"}, {"Mono", 15}, {"HDMI"}};
    EXPECT_TRUE(ini.putIni("options", "sound_card", "1"));
    output.load({"Default", "HDMI"});
    EXPECT_EQ(player.callsTo("SelectDevice"), std::vector<std::string>{"SelectDevice 2"});
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(AudioOutputTest, ARefusedOrVanishedDeviceIsToldAtLoad) {
    using Devices = std::vector<test::FakePlayer::Device>;
    for (auto [devices, list, soundCard] :
         {std::tuple{Devices{}, std::vector<std::string>{"No Sound Card Available"}, "0"},
          {Devices{{"Default"}}, {"Default"}, "5"}}) {
        dialogs.shown.clear();
        player.devices = devices;
        EXPECT_TRUE(ini.putIni("options", "sound_card", soundCard));
        output.load(list);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].icon, Dialogs::Icon::Critical);
    }
}

TEST_F(AudioOutputTest, OkStoresTheDialogAndAppliesIt) {
    load({});
    player.calls.clear();
    output.chooseDevice(1);
    output.editDestWave("/music/all.wav");
    output.Option2_Click(0);
    output.Option1_Click(0);
    output.cmdOK_Click();
    for (auto [key, value] : Keys{{"sound_card", "1"},
                                  {"audio_dest", "/music/all.wav"},
                                  {"out_as_mp", "0"},
                                  {"out_to_wav", "1"}})
        EXPECT_EQ(ini.getIni("options", key), value) << key;
    EXPECT_EQ(state.waveDest, "/music/all.wav");
    EXPECT_TRUE(player.callsTo("SelectDevice").empty()) << "decoding to a file keeps the device";

    output.Option1_Click(1);
    output.chooseDevice(-1);
    output.cmdOK_Click();
    EXPECT_EQ(ini.getIni("options", "out_to_wav"), "0");
    EXPECT_EQ(ini.getIni("options", "sound_card"), "-1");
    EXPECT_EQ(state.waveDest, "");
    EXPECT_EQ(player.callsTo("SelectDevice"), std::vector<std::string>{"SelectDevice -1"});
    EXPECT_TRUE(dialogs.shown.empty()) << "OK does not examine the device's answer";
}

TEST_F(AudioOutputTest, ClickingAnOutputOffersBrowseWithoutAUsableWaveName) {
    for (auto [name, browse] : {std::pair{"", true},
                                {"out.wav", true},
                                {"/music/out.mp3", true},
                                {"/music/OUT.WAV", false}}) {
        dialogs.shown.clear();
        output.editDestWave(name);
        output.Option1_Click(0);
        output.Option1_Click(1); // choosing the sound card too
        output.Option1_Click(1); // the option already chosen checks the name all the same
        EXPECT_EQ(browses(), browse ? 3 : 0) << name;
    }
}

TEST_F(AudioOutputTest, LoadingAWaveChoiceWithNoNameOffersBrowse) {
    dialogs.inputs.push_back("/picked/song.wav");
    load({{"out_to_wav", "1"}, {"out_as_mp", "1"}});
    ASSERT_EQ(browses(), 1);
    EXPECT_EQ(output.txtDestWave(), "/picked/song.wav");
    output.cmdGet_Click(); // cancelled: the name stays
    EXPECT_EQ(output.txtDestWave(), "/picked/song.wav");
}

} // namespace
} // namespace vantrel
