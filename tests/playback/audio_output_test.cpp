// Where decoded audio goes: the destination, the device selected, what OK stores, what Cancel
// restores, and when Browse opens by itself.
#include "playback/audio_output.h"
#include "support/fake_player.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using Kind = test::ScriptedDialogs::Shown::Kind;

struct AudioOutputTest : ::testing::Test {
    test::TempDir dir;
    IniStore ini{dir / "vantrel.ini"};
    test::FakePlayer player;
    test::ScriptedDialogs dialogs;
    PlaybackState state;
    AudioOutput output{player, dialogs, ini, state};

    void SetUp() override { player.devices = {{"Default"}, {"Headphones"}, {"HDMI"}}; }

    void store(std::initializer_list<std::pair<const char*, const char*>> keys) {
        for (auto [key, value] : keys)
            ini.putIni("options", key, value);
    }
    void load() { output.load({"Default", "Headphones", "HDMI"}); }
    int browses() const {
        return static_cast<int>(std::count_if(dialogs.shown.begin(), dialogs.shown.end(),
                                              [](auto& s) { return s.kind == Kind::SaveFile; }));
    }
};

TEST_F(AudioOutputTest, LoadDecidesTheDestination) {
    struct Case {
        const char *toWav, *asMp, *dest;
        std::string waveDest;
    };
    const Case cases[] = {
        {"1", "1", "/out/x.wav", ".wav"},
        {"1", "0", "/out/x.wav", "/out/x.wav"},
        {"0", "1", "/out/x.wav", ""},
        {"", "", "", ""},
    };
    for (const Case& c : cases) {
        test::TempDir d;
        IniStore store(d / "vantrel.ini");
        store.putIni("options", "out_to_wav", c.toWav);
        store.putIni("options", "out_as_mp", c.asMp);
        store.putIni("options", "audio_dest", c.dest);
        PlaybackState s;
        AudioOutput o(player, dialogs, store, s);
        o.load({"Default"});
        EXPECT_EQ(s.waveDest, c.waveDest) << c.toWav << c.asMp;
        EXPECT_EQ(o.txtDestWave(), c.dest);
    }
}

TEST_F(AudioOutputTest, LoadSelectsTheStoredDeviceOnThePlayer) {
    store({{"sound_card", "2"}});
    load();
    EXPECT_EQ(output.cmbAudio(), 2);
    EXPECT_EQ(player.callsTo("SelectDevice"), std::vector<std::string>{"SelectDevice 2"});
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(AudioOutputTest, ARefusedOrMissingDeviceIsToldAtLoad) {
    struct Case {
        std::vector<test::FakePlayer::Device> playerDevices;
        std::vector<std::string> list;
        const char* soundCard;
    };
    const Case cases[] = {
        {{}, {"No Sound Card Available"}, "0"},
        {{{"Default"}}, {"Default"}, "5"}, // a stored position that no longer exists
    };
    for (const Case& c : cases) {
        test::TempDir d;
        IniStore store(d / "vantrel.ini");
        store.putIni("options", "sound_card", c.soundCard);
        test::FakePlayer p;
        p.devices = c.playerDevices;
        test::ScriptedDialogs boxes;
        PlaybackState s;
        AudioOutput o(p, boxes, store, s);
        o.load(c.list);
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, "No Sound Card Selected for Output");
        EXPECT_EQ(boxes.shown[0].title, "Output Selection");
        EXPECT_EQ(boxes.shown[0].icon, Dialogs::Icon::Critical);
        EXPECT_EQ(s.waveDest, "");
    }
}

TEST_F(AudioOutputTest, ListPositionsAreMatchedToThePlayersDevicesByName) {
    // The probe left out "Mono" (position 1 on the player), so "HDMI" is third there.
    player.devices = {{"Default"}, {"Mono", 15}, {"HDMI"}};
    store({{"sound_card", "1"}});
    output.load({"Default", "HDMI"});
    EXPECT_EQ(player.selectedDevice, 2);
}

TEST_F(AudioOutputTest, OkStoresTheDialogAndAppliesIt) {
    load();
    player.calls.clear();
    output.chooseDevice(1);
    output.editDestWave("/music/all.wav");
    output.Option2_Click(0);
    output.Option1_Click(0);
    output.cmdOK_Click();
    EXPECT_EQ(ini.getIni("options", "sound_card"), "1");
    EXPECT_EQ(ini.getIni("options", "audio_dest"), "/music/all.wav");
    EXPECT_EQ(ini.getIni("options", "out_as_mp"), "0");
    EXPECT_EQ(ini.getIni("options", "out_to_wav"), "1");
    EXPECT_EQ(state.waveDest, "/music/all.wav");
    EXPECT_TRUE(player.callsTo("SelectDevice").empty()) << "decoding to a file keeps the device";

    output.Option1_Click(1);
    output.Option2_Click(1);
    output.cmdOK_Click();
    EXPECT_EQ(ini.getIni("options", "out_to_wav"), "0");
    EXPECT_EQ(ini.getIni("options", "out_as_mp"), "1");
    EXPECT_EQ(state.waveDest, "");
    EXPECT_EQ(player.callsTo("SelectDevice"), std::vector<std::string>{"SelectDevice 1"});
    EXPECT_EQ(browses(), 0);

    output.chooseDevice(-1);
    output.cmdOK_Click();
    EXPECT_EQ(ini.getIni("options", "sound_card"), "-1");
    EXPECT_TRUE(dialogs.shown.empty()) << "OK does not examine the device's answer";
}

TEST_F(AudioOutputTest, CancelRestoresTheStoredChoicesAndDestination) {
    store(
        {{"out_to_wav", "1"}, {"out_as_mp", "1"}, {"audio_dest", "/a/b.wav"}, {"sound_card", "0"}});
    load();
    output.chooseDevice(2);
    output.editDestWave("/other.wav");
    output.Option2_Click(0);
    output.Option1_Click(1);
    player.calls.clear();
    output.cmdCancel_Click();
    EXPECT_EQ(output.cmbAudio(), 0);
    EXPECT_EQ(output.txtDestWave(), "/a/b.wav");
    EXPECT_TRUE(output.useMp3Name());
    EXPECT_TRUE(output.toWaveFile());
    EXPECT_EQ(state.waveDest, ".wav");
    EXPECT_TRUE(player.callsTo("SelectDevice").empty());
    EXPECT_EQ(ini.getIni("options", "audio_dest"), "/a/b.wav");
}

TEST_F(AudioOutputTest, ChangingTheOutputOffersBrowseWithoutAUsableWaveName) {
    struct Case {
        const char* name;
        bool browse;
    };
    for (Case c : {Case{"", true}, Case{"out.wav", true}, Case{"/music/out.mp3", true},
                   Case{"/music/OUT.WAV", false}, Case{"/x.wave", false}}) {
        dialogs.shown.clear();
        output.editDestWave(c.name);
        output.Option1_Click(0);
        output.Option1_Click(1); // also when choosing the sound card
        EXPECT_EQ(browses(), c.browse ? 2 : 0) << c.name;
        output.Option1_Click(1);
        EXPECT_EQ(browses(), c.browse ? 2 : 0) << "no change, no Browse";
    }
}

TEST_F(AudioOutputTest, LoadingAWaveChoiceWithNoNameOffersBrowse) {
    store({{"out_to_wav", "1"}, {"out_as_mp", "1"}});
    dialogs.inputs.push_back("/picked/song.wav");
    load();
    EXPECT_EQ(browses(), 1);
    EXPECT_EQ(output.txtDestWave(), "/picked/song.wav");
    EXPECT_EQ(state.waveDest, ".wav");
}

TEST_F(AudioOutputTest, BrowseAsksForAWaveFileAndKeepsTheNameWhenCancelled) {
    output.editDestWave("/keep.wav");
    output.cmdGet_Click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "Name a Wave File to Decode to");
    EXPECT_EQ(dialogs.shown[0].title, "Wave Audio (*.wav)|*.wav");
    EXPECT_EQ(output.txtDestWave(), "/keep.wav");
    dialogs.inputs.push_back("/new.wav");
    output.cmdGet_Click();
    EXPECT_EQ(output.txtDestWave(), "/new.wav");
    EXPECT_EQ(state.waveDest, "") << "only OK, Cancel and load change the destination";
}

} // namespace
} // namespace vantrel
