#include "playback/playback_rig.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using test::PlaybackRig;

struct TimeDisplayTest : ::testing::Test, PlaybackRig {
    // Opens a track of the given measures and takes them, as a track start does.
    void startTrack(float frameMs, std::int32_t frames, std::int32_t ms) {
        player.files[curFile] = test::FakePlayer::Stream{frameMs, ms, frames, 44100, 128000};
        player.OpenStream(curFile, "");
        display.trackStart();
    }
    int fadeOuts() const { return static_cast<int>(player.callsTo("startAutoFadeOut").size()); }
};

TEST_F(TimeDisplayTest, CounterLineAndMarkerFollowTheFrame) {
    startTrack(26.122449f, 10000, 261224);
    struct Case {
        std::int32_t frame;
        const char* counter;
        double fraction;
        bool lead;
    } cases[] = {
        {0, "00:00", 0.0, false},    {2297, "01:00", 0.2297, true}, // 60003.15 ms
        {10000, "04:21", 1.0, true}, {-6, "00:00", 0.0, true}, // a shuttle a step before the start
        {10040, "04:21", 1.0, true},                           // or past the end
    };
    for (const Case& c : cases) {
        display.showPosition(c.frame);
        EXPECT_EQ(display.lblCounter(), c.counter) << c.frame;
        EXPECT_DOUBLE_EQ(display.lineFraction(), c.fraction) << c.frame;
        EXPECT_EQ(display.leadVisible(), c.lead) << c.frame;
    }
    EXPECT_EQ(display.totalText(), display.lblCounter()) << "the end shows the total";
}

TEST_F(TimeDisplayTest, AutoFadeOutStartsWithinTheLeadOfTheEndEvenOnAShortTrack) {
    startTrack(26.122449f, 6891, 180000);
    fader.lead = 1200;
    struct Case {
        bool autoOut;
        std::int32_t frame; // 6844 is 178781.7 ms, 6845 is 178807.8 ms
        int fadeOuts;
    } cases[] = {{true, 6844, 0}, {true, 6845, 1}, {true, 6890, 1}, {false, 6890, 0}, {true, 0, 0}};
    for (const Case& c : cases) {
        fader.fadeOut = c.autoOut;
        player.calls.clear();
        display.showPosition(c.frame);
        EXPECT_EQ(fadeOuts(), c.fadeOuts) << c.frame;
    }
    startTrack(26.122449f, 30, 784);
    display.showPosition(0);
    EXPECT_EQ(fadeOuts(), 1) << "shorter than the lead: the fade starts with the track";
    startTrack(26.122449f, 0, 0);
    display.showPosition(50);
    EXPECT_EQ(display.lineFraction(), 0.0) << "no frames, no line";
}

} // namespace
} // namespace vantrel
