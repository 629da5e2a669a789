// The volume ramp: what the player hears on each tick, the limiter, one-touch, fading out to
// a stop, the menu's checks, the settings load, and what the settings dialog's OK stores.
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
    struct Case {
        const char* keys;
        std::vector<int> numbers;
        std::vector<bool> flags;
    };
    const Case cases[] = {
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
    for (const Case& c : cases) {
        test::TempDir d;
        IniStore store(d / "vantrel.ini");
        put(store, c.keys);
        Fader f(player, tmrVolume, state);
        f.loadVolume(store);
        f.loadFadeSettings(store);
        EXPECT_EQ((std::vector<int>{f.volume(), f.fadeInSpeed(), f.fadeOutSpeed(), f.volLimit(),
                                    f.fadeLead()}),
                  c.numbers);
        EXPECT_TRUE(f.limitArmed());
        const bool in = c.flags[0], out = c.flags[1], hold = c.flags[2];
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

} // namespace
} // namespace vantrel
