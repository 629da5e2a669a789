// The volume ramp: what the player hears on each tick, the limiter, one-touch, fading out to
// a stop, the menu's checks, the settings load, and what the settings dialog's OK stores. Then
// where decoded audio goes: the destination, the device selected, what OK stores, and when
// Browse opens by itself.
#include "playback/audio_output.h"
#include "playback/fader.h"
#include "playback/fader_settings.h"
#include "playback/playback_rig.h"
#include <gtest/gtest.h>
#include <sstream>

namespace vantrel {
namespace {

// Stores "key=value …" in the options section.
void put(IniStore& store, const std::string& keys) {
    std::istringstream words(keys);
    for (std::string word; words >> word;) {
        const auto eq = word.find('=');
        EXPECT_TRUE(store.putIni("options", word.substr(0, eq), word.substr(eq + 1)));
    }
}

struct FaderTest : ::testing::Test, test::OutputRig {
    void load(const std::string& keys) {
        put(ini, keys);
        fader.loadVolume(ini);
        fader.loadFadeSettings(ini);
        player.calls.clear();
    }
    // The levels sent to the player since the last look.
    std::vector<std::string> sent() {
        auto v = player.callsTo("SetVolume");
        player.calls.clear();
        return v;
    }
    static std::vector<std::string> levels(int from, int to, int step) {
        std::vector<std::string> v;
        for (int l = from; step > 0 ? l <= to : l >= to; l += step)
            v.push_back("SetVolume " + std::to_string(l) + " " + std::to_string(l));
        return v;
    }
};

TEST_F(FaderTest, FadeInRisesToFullOnTwentyTicksAndTheTwentyFirstStops) {
    load("vol_pause=100 fade_in=1");
    fader.startAutoFadeIn();
    EXPECT_EQ(sent(), levels(0, 0, 5)) << "silence goes out before the first tick";
    EXPECT_EQ(tmrVolume.interval(), 120);
    EXPECT_EQ(tmrVolume.fire(20), 20);
    EXPECT_EQ(sent(), levels(5, 100, 5));
    EXPECT_TRUE(tmrVolume.fire());
    EXPECT_EQ(sent(), levels(100, 100, 5));
    EXPECT_FALSE(tmrVolume.enabled());
}

TEST_F(FaderTest, LimiterHaltsAFadeInAndAHeldUpRampsOnPastIt) {
    load("vol_pause=80 fade_in=1");
    fader.startAutoFadeIn();
    sent();
    tmrVolume.fire(30);
    EXPECT_EQ(sent(), levels(5, 80, 5));
    EXPECT_FALSE(tmrVolume.enabled());
    EXPECT_EQ(fader.volume(), 85) << "the halted step is counted but not sent";

    fader.volumePressed(0, false);
    tmrVolume.fire(30);
    fader.volumeReleased();
    auto expected = levels(90, 100, 5);
    expected.push_back("SetVolume 100 100"); // the step past the top
    EXPECT_EQ(sent(), expected) << "ramps on without halting again";
}

TEST_F(FaderTest, OneTouchPressRunsOnButAPressDuringARampHoldsOnlyWhileDown) {
    load("vol=50");
    fader.volumePressed(1, false);
    tmrVolume.fire(2);
    fader.volumeReleased();
    EXPECT_FALSE(tmrVolume.enabled()) << "without one-touch the volume moves only while held";
    EXPECT_EQ(sent(), levels(45, 40, -5));
    load("vol=50 fade_hold=1 fade_in=1");
    fader.volumePressed(0, false);
    fader.volumeReleased();
    EXPECT_TRUE(tmrVolume.enabled()) << "release leaves the ramp the press started running";
    tmrVolume.fire(3);
    EXPECT_EQ(sent(), levels(55, 65, 5));

    fader.volumePressed(1, false); // turns the running ramp down
    EXPECT_EQ(tmrVolume.interval(), 60);
    tmrVolume.fire(2);
    fader.volumeReleased();
    EXPECT_FALSE(tmrVolume.enabled());
    EXPECT_EQ(sent(), levels(60, 55, -5));
}

TEST_F(FaderTest, FadingOutToSilencePressesStopOnlyWithTheMark) {
    int stops = 0;
    Connection c = fader.stopRequested.connect([&] { ++stops; });
    for (bool marked : {false, true}) {
        load("vol=10");
        if (marked) fader.mnuFadeStop_Click();
        fader.startAutoFadeOut();
        tmrVolume.fire(2);
        EXPECT_EQ(stops, 0);
        tmrVolume.fire();
        EXPECT_EQ(stops, marked ? 1 : 0);
        EXPECT_EQ(player.callsTo("SetVolume").back(), "SetVolume 0 0");
        EXPECT_FALSE(tmrVolume.enabled());
        EXPECT_EQ(fader.stopMarked(), marked) << "the mark stays, so auto play goes on";
    }
}

TEST_F(FaderTest, PausedRampCountsWithoutSendingAndGainsMuteAChannel) {
    load("vol=50");
    state.paused = true;
    fader.volumePressed(0, false);
    tmrVolume.fire(2);
    EXPECT_TRUE(sent().empty());
    EXPECT_EQ(fader.volume(), 60);
    state.paused = false;
    state.leftGain = 0.0f;
    tmrVolume.fire();
    EXPECT_EQ(sent(), std::vector<std::string>{"SetVolume 0 65"});
}

TEST_F(FaderTest, MenuEntriesFollowEachOther) {
    auto menu = [this] {
        const Fader::MenuState& m = fader.menu();
        return std::vector<bool>{m.stopEnabled, m.stopChecked, m.holdChecked,
                                 m.inChecked,   m.outEnabled,  m.outChecked};
    };
    const std::vector<bool> none(6, false);
    load("");
    EXPECT_EQ(menu(), none);
    fader.mnuFadeDir_Click(0);
    fader.mnuFadeDir_Click(1);
    EXPECT_EQ(menu(), (std::vector<bool>{false, false, false, true, true, true}));
    EXPECT_TRUE(fader.autoFadeIn() && fader.autoFadeOut());
    // A wave file is decoded faster than a fade runs: it is written at the set volume.
    state.waveDest = ".wav";
    EXPECT_FALSE(fader.autoFadeIn() || fader.autoFadeOut());
    state.waveDest.clear();
    fader.mnuFadeDir_Click(0); // "Auto Fade IN" off takes "Auto Fade OUT" with it
    EXPECT_EQ(menu(), none);
    EXPECT_FALSE(fader.autoFadeOut());

    fader.mnuFadeHold_Click();
    fader.mnuFadeStop_Click();
    EXPECT_EQ(menu(), (std::vector<bool>{true, true, true, false, false, false}));
    fader.mnuFadeHold_Click(); // one-touch off disables and clears the stop entry
    EXPECT_EQ(menu(), none);
}

TEST_F(FaderTest, SettingsLoad) {
    // numbers: volume, fade in and out speeds, limit, lead; flags: in, out, one-touch.
    const std::tuple<const char*, std::vector<int>, std::vector<bool>> cases[] = {
        // A fresh file keeps the built-in values and plays at full volume.
        {"", {100, 120, 60, 90, 0}, {false, false, false}},
        {"vol=35 vol_in=200 vol_out=30 vol_pause=70 prem_fade=70000 fade_in=1 fade_out=1 "
         "fade_hold=1",
         {35, 200, 30, 70, 70000},
         {true, true, true}},
        // Values the dialog cannot produce are brought into its ranges.
        {"vol=250 vol_in=0 vol_out=500 vol_pause=-3", {100, 5, 120, 0, 0}, {false, false, false}},
        {"vol=0 fade_in=yes fade_out=1", {0, 120, 60, 90, 0}, {false, true, false}},
    };
    for (const auto& [keys, numbers, flags] : cases) {
        test::TempDir d;
        IniStore store(d / "vantrel.ini");
        put(store, keys);
        Fader f(player, tmrVolume, state);
        f.loadVolume(store);
        f.loadFadeSettings(store);
        EXPECT_EQ((std::vector<int>{f.volume(), f.fadeInSpeed(), f.fadeOutSpeed(), f.volLimit(),
                                    f.fadeLead()}),
                  numbers);
        EXPECT_TRUE(f.limitArmed());
        const bool in = flags[0], out = flags[1], hold = flags[2];
        EXPECT_EQ((std::vector<bool>{f.autoFadeIn(), f.menu().outEnabled, f.autoFadeOut(),
                                     f.oneTouch(), f.menu().stopEnabled}),
                  (std::vector<bool>{in, in, out, hold, hold}));
    }
}

TEST_F(FaderTest, SettingsOkAppliesAndStores) {
    load("vol=100");
    FaderSettings settings(fader, ini);
    settings.ok(150, 60, 20);
    EXPECT_EQ(fader.fadeLead(), 1200) << "20 steps of 60 ms from full volume";
    EXPECT_EQ(fader.volLimit(), 80);
    EXPECT_TRUE(fader.limitArmed());
    Fader next(player, tmrVolume, state);
    next.loadFadeSettings(ini);
    EXPECT_EQ((std::vector<int>{next.fadeInSpeed(), next.fadeOutSpeed(), next.volLimit(),
                                next.fadeLead()}),
              (std::vector<int>{150, 60, 80, 1200}));

    settings.ok(150, 60, 100);
    EXPECT_EQ(fader.volLimit(), 0);
    EXPECT_FALSE(fader.limitArmed()) << "a limit of 0 leaves the limiter unarmed";
}

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
