// The volume ramp: what the player hears on each tick, the limiter, one-touch, fading out to
// a stop, the menu's checks and the settings load.
#include "playback/fader.h"
#include "playback/fader_settings.h"
#include "support/fake_player.h"
#include "support/manual_timer.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

struct FaderTest : ::testing::Test {
    test::TempDir dir;
    IniStore ini{dir / "vantrel.ini"};
    test::FakePlayer player;
    test::ManualTimer tmrVolume;
    PlaybackState state;
    Fader fader{player, tmrVolume, state};
    int stops = 0;

    void SetUp() override {
        fader.onPressStop([this] { ++stops; });
    }

    void load(std::initializer_list<std::pair<const char*, const char*>> keys) {
        for (auto [key, value] : keys)
            ini.putIni("options", key, value);
        fader.loadVolume(ini);
        fader.loadFadeSettings(ini);
        player.calls.clear();
    }

    // The levels sent to the player since the last look, left channel first.
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

    int lit() const {
        int n = 0;
        for (bool on : fader.meter())
            n += on;
        return n;
    }
};

TEST_F(FaderTest, FadeInRisesToFullOnTwentyTicksAndTheTwentyFirstStops) {
    load({{"vol_pause", "100"}, {"fade_in", "1"}});
    fader.startAutoFadeIn();
    EXPECT_EQ(sent(), levels(0, 0, 5)) << "silence goes out before the first tick";
    EXPECT_EQ(tmrVolume.interval(), 120);
    EXPECT_EQ(tmrVolume.fire(20), 20);
    EXPECT_EQ(sent(), levels(5, 100, 5));
    EXPECT_EQ(lit(), 10);
    EXPECT_TRUE(tmrVolume.fire());
    EXPECT_EQ(sent(), levels(100, 100, 5));
    EXPECT_FALSE(tmrVolume.enabled());
    EXPECT_EQ(fader.volume(), 100);
}

TEST_F(FaderTest, LimiterHaltsAFadeInAndAHeldUpRampsOnPastIt) {
    load({{"vol_pause", "80"}, {"fade_in", "1"}});
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
    load({{"vol", "50"}, {"fade_hold", "1"}, {"fade_in", "1"}});
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

TEST_F(FaderTest, WithoutOneTouchTheVolumeMovesOnlyWhileHeld) {
    load({{"vol", "50"}});
    fader.volumePressed(1, false);
    tmrVolume.fire(2);
    fader.volumeReleased();
    EXPECT_FALSE(tmrVolume.enabled());
    EXPECT_EQ(sent(), levels(45, 40, -5));
}

TEST_F(FaderTest, FadingOutToSilenceWithTheStopMarkPressesStop) {
    struct Case {
        bool marked;
        int stops;
    };
    for (Case c : {Case{true, 1}, Case{false, 0}}) {
        test::FakePlayer p;
        test::ManualTimer t;
        Fader f(p, t, state);
        int pressed = 0;
        f.onPressStop([&] { ++pressed; });
        ini.putIni("options", "vol", "10");
        ini.putIni("options", "fade_hold", "1");
        f.loadVolume(ini);
        f.loadFadeSettings(ini);
        if (c.marked) f.mnuFadeStop_Click();
        f.startAutoFadeOut();
        t.fire(2);
        EXPECT_EQ(pressed, 0);
        t.fire();
        EXPECT_EQ(pressed, c.stops);
        EXPECT_EQ(p.callsTo("SetVolume").back(), "SetVolume 0 0");
        EXPECT_FALSE(t.enabled());
        EXPECT_EQ(f.stopMarked(), c.marked) << "the mark stays, so auto play goes on";
    }
}

TEST_F(FaderTest, PausedRampCountsWithoutSendingAndGainsMuteAChannel) {
    load({{"vol", "50"}});
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

TEST_F(FaderTest, KeyDownOnDownRearmsTheLimiterAndAMousePressDoesNot) {
    load({{"vol", "50"}});
    FaderSettings(fader, ini).ok(120, 60, 100); // the bar at "0 = Min" leaves the limiter off
    ASSERT_FALSE(fader.limitArmed());
    fader.volumePressed(1, false);
    fader.volumeReleased();
    EXPECT_FALSE(fader.limitArmed());
    fader.volumePressed(1, true);
    fader.volumeReleased();
    EXPECT_TRUE(fader.limitArmed());
}

TEST_F(FaderTest, MeterLightsOneSegmentPerTenAndAtLeastOne) {
    struct Case {
        const char* vol;
        int lit;
    };
    for (Case c : {Case{"0", 1}, Case{"9", 1}, Case{"10", 2}, Case{"55", 6}, Case{"99", 10},
                   Case{"100", 10}}) {
        ini.putIni("options", "vol", c.vol);
        fader.loadVolume(ini);
        EXPECT_EQ(lit(), c.lit) << "vol " << c.vol;
    }
}

TEST_F(FaderTest, MenuEntriesFollowEachOther) {
    using M = Fader::MenuState;
    auto menu = [this] {
        const M& m = fader.menu();
        return std::vector<bool>{m.stopEnabled, m.stopChecked, m.holdChecked,
                                 m.inChecked,   m.outEnabled,  m.outChecked};
    };
    load({});
    EXPECT_EQ(menu(), (std::vector<bool>{false, false, false, false, false, false}));
    fader.mnuFadeDir_Click(0);
    fader.mnuFadeDir_Click(1);
    EXPECT_EQ(menu(), (std::vector<bool>{false, false, false, true, true, true}));
    EXPECT_TRUE(fader.autoFadeIn() && fader.autoFadeOut());
    fader.mnuFadeDir_Click(0); // "Auto Fade IN" off takes "Auto Fade OUT" with it
    EXPECT_EQ(menu(), (std::vector<bool>{false, false, false, false, false, false}));
    EXPECT_FALSE(fader.autoFadeOut());

    fader.mnuFadeHold_Click();
    fader.mnuFadeStop_Click();
    EXPECT_EQ(menu(), (std::vector<bool>{true, true, true, false, false, false}));
    fader.clearStopMark();
    EXPECT_FALSE(fader.stopMarked());
    fader.mnuFadeStop_Click();
    fader.mnuFadeHold_Click(); // one-touch off disables and clears the stop entry
    EXPECT_EQ(menu(), (std::vector<bool>{false, false, false, false, false, false}));
}

TEST_F(FaderTest, SettingsLoad) {
    struct Case {
        std::vector<std::pair<const char*, const char*>> keys;
        int volume, in, out, limit;
        std::int32_t lead;
        bool fadeIn, fadeOut, hold;
    };
    const Case cases[] = {
        // A fresh file keeps the built-in values and plays at full volume.
        {{}, 100, 120, 60, 90, 0, false, false, false},
        {{{"vol", "35"},
          {"vol_in", "200"},
          {"vol_out", "30"},
          {"vol_pause", "70"},
          {"prem_fade", "70000"},
          {"fade_in", "1"},
          {"fade_out", "1"},
          {"fade_hold", "1"}},
         35,
         200,
         30,
         70,
         70000,
         true,
         true,
         true},
        // Values the dialog cannot produce are brought into its ranges.
        {{{"vol", "250"}, {"vol_in", "0"}, {"vol_out", "500"}, {"vol_pause", "-3"}},
         100,
         5,
         120,
         0,
         0,
         false,
         false,
         false},
        // "fade_out" alone is loaded as stored, though its entry stays disabled.
        {{{"vol", "0"}, {"fade_in", "yes"}, {"fade_out", "1"}},
         0,
         120,
         60,
         90,
         0,
         false,
         true,
         false},
    };
    for (const Case& c : cases) {
        test::TempDir d;
        IniStore store(d / "vantrel.ini");
        for (auto [k, v] : c.keys)
            store.putIni("options", k, v);
        Fader f(player, tmrVolume, state);
        f.loadVolume(store);
        f.loadFadeSettings(store);
        EXPECT_EQ(f.volume(), c.volume);
        EXPECT_EQ(f.fadeInSpeed(), c.in);
        EXPECT_EQ(f.fadeOutSpeed(), c.out);
        EXPECT_EQ(f.volLimit(), c.limit);
        EXPECT_EQ(f.fadeLead(), c.lead);
        EXPECT_TRUE(f.limitArmed());
        EXPECT_EQ(f.autoFadeIn(), c.fadeIn);
        EXPECT_EQ(f.menu().outEnabled, c.fadeIn);
        EXPECT_EQ(f.autoFadeOut(), c.fadeOut);
        EXPECT_EQ(f.oneTouch(), c.hold);
        EXPECT_EQ(f.menu().stopEnabled, c.hold);
    }
}

TEST_F(FaderTest, ChangeNotificationOnMenuAndMeter) {
    int told = 0;
    fader.onChange([&] { ++told; });
    load({{"vol", "50"}});
    told = 0;
    fader.mnuFadeHold_Click();
    EXPECT_EQ(told, 1);
    fader.volumePressed(0, false);
    tmrVolume.fire();
    EXPECT_EQ(told, 2);
}

} // namespace
} // namespace vantrel
