#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <thread>

#include "engine_harness.h"
#include "support/lame_fixture.h"
#include "support/temp_dir.h"
#include "support/wave_file.h"

namespace vantrel::test {
namespace {

// Whether this process has the file open (the tag writer needs it released).
bool processHolds(const std::filesystem::path& file) {
    std::error_code ec;
    for (const auto& fd : std::filesystem::directory_iterator("/proc/self/fd", ec)) {
        auto target = std::filesystem::read_symlink(fd.path(), ec);
        if (!ec && target == std::filesystem::canonical(file)) return true;
    }
    return false;
}

class WaveOutputTest : public testing::Test {
protected:
    // Decodes `source` into out.wav, with `between` run after OpenStream (before StartPlay
    // unless it starts the play itself), and reads the result back.
    WaveFile decode(const std::filesystem::path& source,
                    const std::function<void(Mp3Engine&)>& between = {}) {
        auto out = dir / "out.wav";
        EXPECT_EQ(engine.OpenStream(source, out), 0) << engine.lastOpenError();
        if (between)
            between(engine);
        else
            engine.StartPlay();
        EXPECT_TRUE(pumpUntilEnded(engine, events));
        return WaveFile::read(out);
    }

    std::filesystem::path fixture(const SineMp3& shape, const char* name = "in.mp3") {
        encoded = writeSineMp3(dir / name, shape);
        return dir / name;
    }

    TempDir dir;
    Mp3Engine engine;
    EventRecorder events;
    EncodedMp3 encoded;
};

// Tempo changes the length but keeps the pitch; volume scales each channel.
TEST_F(WaveOutputTest, TempoAndVolumeShapeTheOutput) {
    struct Case {
        std::int16_t tempo, left, right;
        double lengthFactor;
    };
    for (Case c :
         {Case{150, 100, 100, 2.0}, Case{50, 100, 100, 1.0 / 1.5}, Case{100, 100, 25, 1}}) {
        SCOPED_TRACE(c.tempo);
        WaveFile wave = decode(fixture(SineMp3{}), [&](Mp3Engine& e) {
            e.SetTempo(c.tempo);
            e.SetVolume(c.left, c.right);
            e.StartPlay();
        });
        ASSERT_TRUE(wave.valid) << wave.problem;
        EXPECT_NEAR(wave.seconds(), 3.0 * c.lengthFactor, 3.0 * c.lengthFactor * 0.03);
        auto left = wave.channel(0, wave.frames() / 4, wave.frames() / 2);
        EXPECT_NEAR(zeroCrossingFrequency(left, wave.sampleRate), 440.0, 2.0);
        EXPECT_NEAR(rmsLevel(left), 0.5 / std::sqrt(2.0), 0.02); // a sine of amplitude 0.5
        EXPECT_NEAR(rmsLevel(wave.channel(1, wave.frames() / 4, wave.frames() / 2)) /
                        rmsLevel(left),
                    c.right / 100.0, 0.01);
    }
}

// A seek to the start, and a pause and resume, must not cost a single sample.
TEST_F(WaveOutputTest, SeekClampsAndSkipsTheFramesBefore) {
    struct Case {
        std::int32_t seekTo;
        std::int64_t framesSkipped; // roughly; the encoder delay shifts by part of a frame
    };
    for (Case c : {Case{40, 40}, Case{0, 0}, Case{-5, 0}, Case{1'000'000, -1}}) {
        SCOPED_TRACE(c.seekTo);
        WaveFile wave = decode(fixture(SineMp3{}), [&](Mp3Engine& e) {
            e.SeekFrame(c.seekTo);
            e.StartPlay();
            if (c.seekTo == 0) e.PauseToggle(), e.PauseToggle();
        });
        ASSERT_TRUE(wave.valid) << wave.problem;
        std::int64_t skipped = c.framesSkipped < 0 ? encoded.frames - 1 : c.framesSkipped;
        double expected = static_cast<double>(encoded.samples) - skipped * 1152.0;
        EXPECT_NEAR(static_cast<double>(wave.frames()), std::max(expected, 0.0), 2 * 1152.0);
        if (c.seekTo == 0) {
            EXPECT_EQ(static_cast<std::int64_t>(wave.frames()), encoded.samples);
        }
    }
}

TEST_F(WaveOutputTest, TheFirstReportAfterASeekIsItsLanding) {
    decode(fixture({.seconds = 60}), [&](Mp3Engine& e) {
        e.StartPlay();
        // Reports of where it played wait meanwhile; they are not where the seek went.
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        e.PauseToggle(); // the track cannot end before the seek
        e.SeekFrame(1000);
        e.PauseToggle();
    });
    ASSERT_FALSE(events.frames.empty());
    EXPECT_EQ(events.frames.front(), 1000);
}

TEST_F(WaveOutputTest, StopLeavesAValidShorterFile) {
    auto source = fixture({.seconds = 60});
    for (bool pausedFirst : {false, true}) {
        SCOPED_TRACE(pausedFirst);
        WaveFile wave = decode(source, [&](Mp3Engine& e) {
            e.StartPlay();
            if (pausedFirst) e.PauseToggle(); // stop is accepted while paused
            e.StopPlay();
        });
        ASSERT_TRUE(wave.valid) << wave.problem;
        EXPECT_LE(static_cast<std::int64_t>(wave.frames()), encoded.samples);
    }
    EXPECT_EQ(events.ended, 2);
}

TEST_F(WaveOutputTest, FrameReportsAreCoalescedAndPrecedeTheEnd) {
    WaveFile wave = decode(fixture({.seconds = 30}));
    ASSERT_TRUE(wave.valid);
    ASSERT_FALSE(events.frames.empty());
    EXPECT_LT(events.frames.size(), static_cast<std::size_t>(encoded.frames) / 10);
    EXPECT_TRUE(std::is_sorted(events.frames.begin(), events.frames.end()));
    EXPECT_EQ(events.order.back(), "ThreadEnded");
}

TEST_F(WaveOutputTest, EventsOfAStoppedStreamDoNotOutliveTheNextOpen) {
    auto first = fixture(SineMp3{}, "first.mp3");
    ASSERT_EQ(engine.OpenStream(first, dir / "first.wav"), 0);
    engine.StartPlay();
    engine.StopPlay(); // its ThreadEnded is not delivered before the next open
    WaveFile wave = decode(fixture(SineMp3{}, "second.mp3"));
    pumpFor(engine, std::chrono::milliseconds(200));
    EXPECT_EQ(events.ended, 1);
    EXPECT_EQ(static_cast<std::int64_t>(wave.frames()), encoded.samples);
}

TEST_F(WaveOutputTest, CloseStreamReleasesTheFileAtOnce) {
    auto source = fixture({.seconds = 60});
    ASSERT_EQ(engine.OpenStream(source, dir / "out.wav"), 0);
    EXPECT_TRUE(processHolds(source));
    engine.StartPlay();
    engine.CloseStream();
    EXPECT_FALSE(processHolds(source));
    EXPECT_EQ(engine.TotalFrames(), 0);
    EXPECT_TRUE(WaveFile::read(dir / "out.wav").valid);
}

} // namespace
} // namespace vantrel::test
