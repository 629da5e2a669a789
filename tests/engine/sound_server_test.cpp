#include <algorithm>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <thread>

#include "engine_harness.h"
#include "support/lame_fixture.h"
#include "support/pulse_server.h"
#include "support/temp_dir.h"
#include "support/wave_file.h"

namespace vantrel::test {
namespace {

// The level of each 10 ms window of a recording.
std::vector<double> windowLevels(const std::vector<std::int16_t>& mono, int rate) {
    std::vector<double> levels;
    const auto window = static_cast<std::ptrdiff_t>(rate / 100);
    for (auto at = mono.begin(); mono.end() - at >= window; at += window)
        levels.push_back(rmsLevel({at, at + window}));
    return levels;
}

// Seconds of a recording in which the tone is audible.
double audibleSeconds(const std::vector<std::int16_t>& mono, int rate) {
    auto levels = windowLevels(mono, rate);
    return std::count_if(levels.begin(), levels.end(), [](double l) { return l > 0.05; }) / 100.0;
}

// The longest stretch of audible 10 ms windows. Level and pitch are measured there: whether
// the monitor records a pause as silence or as nothing depends on when the sink idles.
std::vector<std::int16_t> longestAudibleRun(const std::vector<std::int16_t>& mono, int rate) {
    auto levels = windowLevels(mono, rate);
    std::size_t start = 0, best = 0, bestLength = 0;
    for (std::size_t i = 0; i < levels.size(); ++i)
        if (levels[i] <= 0.05)
            start = i + 1;
        else if (i + 1 - start > bestLength)
            best = start, bestLength = i + 1 - start;
    const auto window = static_cast<std::ptrdiff_t>(rate / 100);
    auto from = mono.begin() + static_cast<std::ptrdiff_t>(best) * window;
    return {from, from + static_cast<std::ptrdiff_t>(bestLength) * window};
}

class SoundServerTest : public testing::Test {
protected:
    void SetUp() override {
        prepareSoundEnvironment(); // before this test's engine threads start
        server = std::make_unique<PulseServer>(dir / "pulse");
        // Skipped without PulseAudio; a server that is there but does not start is a failure.
        if (!server->running()) {
            if (server->missing()) GTEST_SKIP() << server->problem();
            FAIL() << "no sound server: " << server->problem();
        }
        writeSineMp3(dir / "sine.mp3", {});
    }

    // Plays with `play` while the null sink's monitor is recorded; returns the recording.
    WaveFile record(const std::function<void()>& play) {
        {
            MonitorRecorder recorder(dir / "rec.wav");
            play();
            std::this_thread::sleep_for(std::chrono::milliseconds(400)); // the device's tail
        }
        return WaveFile::read(dir / "rec.wav");
    }

    TempDir dir;
    std::unique_ptr<PulseServer> server;
};

TEST_F(SoundServerTest, ListsTheDefaultOutputAndEachSink) {
    Mp3Engine engine;
    std::int32_t count = engine.DeviceCount();
    ASSERT_GE(count, 2);
    EXPECT_EQ(engine.DeviceName(0), "Default output");
    EXPECT_EQ(engine.DeviceName(1), "Null Output");
    for (std::int32_t i = 0; i < count; ++i)
        EXPECT_EQ(engine.DeviceFormats(i), 4095) << i;
    EXPECT_EQ(engine.SelectDevice(1), 0);
    EXPECT_NE(engine.SelectDevice(static_cast<std::int16_t>(count)), 0);
    EXPECT_NE(engine.SelectDevice(-1), 0);

    // The list is kept (the sound dialog asks often, on the UI thread) until refreshed.
    ASSERT_EQ(runCommand("pactl load-module module-null-sink sink_name=second >/dev/null"), 0);
    EXPECT_EQ(engine.DeviceCount(), count);
    engine.refreshDevices();
    EXPECT_EQ(engine.DeviceCount(), count + 1);
}

TEST_F(SoundServerTest, PauseHoldsTheTrackAndLosesNothing) {
    auto started = std::chrono::steady_clock::now();
    WaveFile rec = record([&] {
        Mp3Engine engine;
        EventRecorder events;
        ASSERT_EQ(engine.OpenStream(dir / "sine.mp3", ""), 0);
        engine.StartPlay();
        pumpFor(engine, std::chrono::milliseconds(1000));
        engine.PauseToggle();
        pumpFor(engine, std::chrono::milliseconds(1000));
        engine.PauseToggle();
        ASSERT_TRUE(pumpUntilEnded(engine, events));
    });
    // The pause held the track back (a lower bound: a slow machine only makes it longer).
    EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(3900));
    // The monitor records nothing while the sink idles, so the pause leaves no gap in the
    // recording (nor can a click be told from the sink waking up); what must hold is that the
    // whole tone was heard, once, at its pitch and level.
    ASSERT_TRUE(rec.valid) << rec.problem;
    auto left = rec.channel(0);
    EXPECT_NEAR(audibleSeconds(left, rec.sampleRate), 3.0, 0.3);
    auto tone = longestAudibleRun(left, rec.sampleRate);
    // The middle half: the edges hold the device's ramp and the stretcher's lead-in.
    const auto quarter = static_cast<std::ptrdiff_t>(tone.size() / 4);
    std::vector<std::int16_t> middle(tone.begin() + quarter, tone.end() - quarter);
    EXPECT_NEAR(zeroCrossingFrequency(middle, rec.sampleRate), 440.0, 2.0);
    EXPECT_NEAR(rmsLevel(tone), 0.5 / std::sqrt(2.0), 0.05);
}

TEST_F(SoundServerTest, VolumeAndTempoChangesAreHeardWhilePlaying) {
    const std::pair<const char*, std::function<void(Mp3Engine&)>> cases[] = {
        {"volume", [](Mp3Engine& e) { e.SetVolume(25, 25); }},
        {"tempo", [](Mp3Engine& e) { e.SetTempo(150); }}};
    for (const auto& [name, change] : cases) {
        SCOPED_TRACE(name);
        double changedAt = 0; // seconds of the track already decoded when the change was made
        WaveFile rec = record([&] {
            Mp3Engine engine;
            EventRecorder events;
            engine.setListener(&events);
            ASSERT_EQ(engine.OpenStream(dir / "sine.mp3", ""), 0);
            engine.StartPlay();
            // About a second into the track (the null sink can take a while to start pulling).
            for (int i = 0; i < 500 && (events.frames.empty() || events.frames.back() < 38); ++i)
                pumpFor(engine, std::chrono::milliseconds(20));
            ASSERT_FALSE(events.frames.empty());
            changedAt = events.frames.back() * engine.FrameTime() / 1000.0;
            change(engine);
            ASSERT_TRUE(pumpUntilEnded(engine, events));
        });
        ASSERT_TRUE(rec.valid) << rec.problem;
        double loud = 0, quiet = 0; // seconds at full and at quarter level
        for (double level : windowLevels(rec.channel(0), rec.sampleRate))
            if (level > 0.25)
                loud += 0.01;
            else if (level > 0.05)
                quiet += 0.01;
        // Device latency delays the start and the change alike; what is left is the hand-over.
        if (std::string(name) == "volume") {
            EXPECT_NEAR(loud, changedAt, 0.25);
            EXPECT_NEAR(quiet, 3.0 - changedAt, 0.25);
        } else {
            EXPECT_NEAR(loud, changedAt + 2 * (3.0 - changedAt), 0.3);
        }
    }
}

TEST_F(SoundServerTest, MutingOneSpeakerSilencesOnlyThatChannel) {
    WaveFile rec = record([&] {
        std::string cmd = std::string("'") + VANTREL_CLI + "' play '" +
                          (dir / "sine.mp3").string() + "' --volume 100 0";
        EXPECT_EQ(runCommand(cmd), 0);
    });
    ASSERT_TRUE(rec.valid) << rec.problem;
    EXPECT_GE(audibleSeconds(rec.channel(0), rec.sampleRate), 2.7);
    EXPECT_EQ(audibleSeconds(rec.channel(1), rec.sampleRate), 0.0);
}

} // namespace
} // namespace vantrel::test
