#include "engine/mp3_engine.h"
#include "engine_harness.h"
#include "support/id3v2_bytes.h"
#include "support/lame_fixture.h"
#include "support/temp_dir.h"
#include "support/wave_file.h"
#include <cmath>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <thread>

namespace vantrel::test {
namespace {

struct ProbeCase {
    const char* name;
    SineMp3 shape;
    int samplesPerFrame;
    int nominalBitRate;           // 0: measured from the frames, as for variable bit rate
    std::uintmax_t trailingZeros; // a download cut short, a sparse file: they add no time
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const ProbeCase& c, std::ostream* os) {
    *os << c.name;
}

const ProbeCase kCases[] = {
    {"Cbr44kStereo", {}, 1152, 128000, 0},
    {"Cbr22kMono", {.sampleRate = 22050, .channels = 1, .bitRate = 64}, 576, 64000, 0},
    {"Mpeg25At8k", {.sampleRate = 8000, .channels = 1, .bitRate = 32}, 576, 32000, 0},
    {"VbrWithXing", {.variable = true}, 1152, 0, 0},
    {"VbrWithoutXing", {.variable = true, .infoHeader = false}, 1152, 0, 0},
    {"CbrWithoutInfo", {.infoHeader = false}, 1152, 128000, 0},
    {"BehindLargeId3v2AndId3v1", {.id3v2Bytes = 70000, .id3v1 = true}, 1152, 128000, 0},
    {"CbrThenZeros", {.bitRate = 64, .infoHeader = false}, 1152, 64000, 1u << 20},
    {"VbrThenZeros", {.bitRate = 64, .variable = true, .infoHeader = false}, 1152, 0, 1u << 20},
    {"CbrWithInfoThenZeros", {.bitRate = 64}, 1152, 64000, 1u << 20},
    {"SparseTwoGigabytes", {.bitRate = 64, .infoHeader = false}, 1152, 64000, 2u << 30},
};

class StreamProbeTest : public testing::TestWithParam<ProbeCase> {};

// Measured without decoding, then decoded into a wave file that must agree.
TEST_P(StreamProbeTest, ReportsExactStreamValuesAndDecodesThemWhole) {
    const ProbeCase& c = GetParam();
    TempDir dir;
    auto file = dir / "fixture.mp3";
    EncodedMp3 encoded = writeSineMp3(file, c.shape);
    std::filesystem::resize_file(file, std::filesystem::file_size(file) + c.trailingZeros);

    Mp3Engine engine;
    ASSERT_EQ(engine.OpenStream(file, dir / "out.wav"), 0) << engine.lastOpenError();
    EXPECT_EQ(engine.TotalFrames(), encoded.frames);
    EXPECT_EQ(engine.SampleRate(), c.shape.sampleRate);
    double frameMs = c.samplesPerFrame * 1000.0 / c.shape.sampleRate;
    EXPECT_NEAR(engine.FrameTime(), frameMs, 1e-4);
    EXPECT_NEAR(engine.TotalTime(), encoded.frames * frameMs, 1.0);
    if (c.nominalBitRate) {
        EXPECT_EQ(engine.BitRate(), c.nominalBitRate);
    } else {
        EXPECT_GT(engine.BitRate(), 32000);
        EXPECT_LT(engine.BitRate(), 320000);
    }

    EventRecorder events;
    engine.StartPlay();
    ASSERT_TRUE(pumpUntilEnded(engine, events));
    EXPECT_TRUE(events.failures.empty());
    engine.CloseStream();
    EXPECT_EQ(engine.TotalFrames(), 0);
    WaveFile wave = WaveFile::read(dir / "out.wav");
    ASSERT_TRUE(wave.valid) << wave.problem;
    EXPECT_EQ(wave.sampleRate, c.shape.sampleRate);
    EXPECT_EQ(wave.channels, c.shape.channels);
    // LAME's header carries the encoder delay and padding: exactly the samples put in.
    // Without it, every decoded sample of every frame comes out, none missing.
    EXPECT_EQ(static_cast<std::int64_t>(wave.frames()),
              c.shape.infoHeader ? encoded.samples : encoded.frames * c.samplesPerFrame);
    auto middle = wave.channel(0, wave.frames() / 4, wave.frames() / 2);
    EXPECT_NEAR(zeroCrossingFrequency(middle, wave.sampleRate), 440.0, 1.0);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, StreamProbeTest, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The bit rate of a variable rate file follows its audio bytes, so a tag counted as audio
// shows; a tag's marker may be in any letter case.
TEST(StreamProbe, TagBytesDoNotCountInTheBitRate) {
    TempDir dir;
    writeSineMp3(dir / "plain.mp3", {.variable = true, .infoHeader = false});
    writeSineMp3(dir / "tagged.mp3",
                 {.variable = true, .infoHeader = false, .id3v2Bytes = 50000, .id3v1 = true});
    std::string lower = readFile(dir / "tagged.mp3");
    lower.replace(lower.size() - 128, 3, "tag");
    writeFile(dir / "lower.mp3", lower);

    Mp3Engine engine;
    ASSERT_EQ(engine.OpenStream(dir / "plain.mp3", ""), 0);
    std::int32_t plainRate = engine.BitRate();
    for (const char* name : {"tagged.mp3", "lower.mp3"}) {
        ASSERT_EQ(engine.OpenStream(dir / name, ""), 0);
        EXPECT_EQ(engine.BitRate(), plainRate) << name;
    }
}

// A download cut in half, or a header whose counts say 0xFFFFFFFF, shows what its frames hold.
TEST(StreamProbe, ALengthHeaderCountsOnlyWhenItsBytesFitInTheFile) {
    TempDir dir;
    for (const bool cut : {true, false}) {
        const auto file = dir / (cut ? "cut.mp3" : "bogus.mp3");
        const EncodedMp3 encoded = writeSineMp3(file, {.variable = !cut});
        std::string bytes = readFile(file);
        cut ? bytes.resize(bytes.size() / 2)
            : void(bytes.replace(bytes.find("Xing") + 8, 8, 8, '\xFF'));
        writeFile(file, bytes);
        Mp3Engine engine;
        ASSERT_EQ(engine.OpenStream(file, ""), 0) << engine.lastOpenError();
        EXPECT_NEAR(engine.TotalFrames(), cut ? encoded.frames / 2 : encoded.frames, 2) << file;
    }
}

// FailsPartWay: the decoder gives up inside the audio; the wave file begun is removed.
enum class Expect { OpenFails, PlaysToAnEnd, PlaysOnWhenRemoved, FailsPartWay };

struct BadInput {
    const char* name;
    std::function<std::filesystem::path(const TempDir&)> make;
    Expect expect;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const BadInput& c, std::ostream* os) {
    *os << c.name;
}

std::string randomBytes(std::size_t n, unsigned seed) {
    std::mt19937 gen(seed);
    std::string bytes(n, '\0');
    for (char& b : bytes)
        b = static_cast<char>(gen() & 0xFF);
    return bytes;
}

std::filesystem::path sine(const TempDir& dir, SineMp3 shape = {}) {
    writeSineMp3(dir / "sine.mp3", shape);
    return dir / "sine.mp3";
}

std::filesystem::path named(const TempDir& dir, const std::string& bytes) {
    writeFile(dir / "bad.mp3", bytes);
    return dir / "bad.mp3";
}

// A genuine PCM wave file: a loud square wave, full of 0xFF bytes that look like frame sync.
std::string waveBytes() {
    std::string data;
    for (int i = 0; i < 44100 * 2; ++i)
        data += (i / 50) % 2 ? "\xff\x7f" : "\x01\x80";
    // The header of 16-bit stereo PCM at 44100 Hz.
    const char head[] = "RIFF\0\0\0\0WAVEfmt \x10\0\0\0\x01\0\x02\0\x44\xAC\0\0\x10\xB1\x02\0\x04\0"
                        "\x10\0data\x10\xB1\x02\0";
    return std::string(head, sizeof head - 1) + data;
}

const BadInput kInputs[] = {
    {"MissingFile", [](const TempDir& d) { return d / "nothing-here.mp3"; }, Expect::OpenFails},
    {"ZeroLength", [](const TempDir& d) { return named(d, ""); }, Expect::OpenFails},
    {"RandomBytes", [](const TempDir& d) { return named(d, randomBytes(200000, 7)); },
     Expect::OpenFails},
    {"WaveNamedMp3", [](const TempDir& d) { return named(d, waveBytes()); }, Expect::OpenFails},
    {"TextNamedMp3",
     [](const TempDir& d) { return named(d, std::string(5000, 'x') + "\nnot music\n"); },
     Expect::OpenFails},
    {"Folder", [](const TempDir& d) { return d.path(); }, Expect::OpenFails},
    {"OnlyAnId3v2Tag", [](const TempDir& d) { return named(d, id3v2Tag(3, {}, 2048)); },
     Expect::OpenFails},
    {"TruncatedMp3",
     [](const TempDir& d) {
         auto file = sine(d);
         std::filesystem::resize_file(file, std::filesystem::file_size(file) / 2 + 77);
         return file;
     },
     Expect::PlaysToAnEnd},
    {"GarbageInTheMiddle",
     [](const TempDir& d) {
         auto file = sine(d);
         std::fstream f(file, std::ios::in | std::ios::out | std::ios::binary);
         f.seekp(20000);
         f << randomBytes(3000, 3);
         return file;
     },
     Expect::FailsPartWay},
    {"LargeId3v2InFront", [](const TempDir& d) { return sine(d, {.id3v2Bytes = 1 << 20}); },
     Expect::PlaysToAnEnd},
    {"RemovedWhilePlaying", [](const TempDir& d) { return sine(d, {.seconds = 20}); },
     Expect::PlaysOnWhenRemoved},
};

class BadInputTest : public testing::TestWithParam<BadInput> {};

TEST_P(BadInputTest, NeverCrashesOrHangs) {
    const BadInput& input = GetParam();
    TempDir dir;
    auto file = input.make(dir);
    Mp3Engine engine;
    EventRecorder events;
    for (const char* wave : {"", "out.wav"}) {
        SCOPED_TRACE(wave);
        std::string wavePath = *wave ? (dir / wave).string() : "";
        std::int32_t opened = engine.OpenStream(file, wavePath);
        if (input.expect == Expect::OpenFails) {
            EXPECT_NE(opened, 0);
            EXPECT_EQ(engine.TotalFrames(), 0);
            EXPECT_EQ(engine.TotalTime(), 0);
            engine.StartPlay(); // the host may press on regardless: nothing happens
            engine.CloseStream();
            continue;
        }
        ASSERT_EQ(opened, 0) << engine.lastOpenError();
        if (!*wave) continue; // the sound device is the end-to-end tests' business
        engine.StartPlay();
        if (input.expect == Expect::PlaysOnWhenRemoved) std::filesystem::remove(file);
        ASSERT_TRUE(pumpUntilEnded(engine, events));
        const bool fails = input.expect == Expect::FailsPartWay;
        EXPECT_EQ(events.failures.empty(), !fails);
        EXPECT_EQ(std::filesystem::exists(dir / wave), !fails);
        EXPECT_TRUE(fails || WaveFile::read(dir / wave).valid);
        engine.CloseStream();
    }
}

INSTANTIATE_TEST_SUITE_P(Inputs, BadInputTest, testing::ValuesIn(kInputs),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BadInput, WaveOutputOntoTheInputOrNowhereFailsTheOpen) {
    TempDir dir;
    auto source = sine(dir);
    std::string original = readFile(source);
    std::filesystem::create_hard_link(source, dir / "link.wav");
    for (auto out : {dir / "no-such-folder" / "out.wav", source, dir / "link.wav"}) {
        SCOPED_TRACE(out);
        Mp3Engine engine;
        EXPECT_NE(engine.OpenStream(source, out.string()), 0);
        EXPECT_NE(engine.lastOpenError().find(out.filename().string()), std::string::npos)
            << engine.lastOpenError();
        EXPECT_EQ(engine.TotalFrames(), 0);
        EXPECT_TRUE(readFile(source) == original) << "the input changed";
    }
}

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
    for (auto [tempo, rightVolume, lengthFactor] :
         {std::tuple<std::int16_t, std::int16_t, double>{150, 100, 2.0},
          {50, 100, 1.0 / 1.5},
          {100, 25, 1}}) {
        SCOPED_TRACE(tempo);
        WaveFile wave = decode(fixture(SineMp3{}), [&](Mp3Engine& e) {
            e.SetTempo(tempo);
            e.SetVolume(100, rightVolume);
            e.StartPlay();
        });
        ASSERT_TRUE(wave.valid) << wave.problem;
        EXPECT_NEAR(wave.seconds(), 3.0 * lengthFactor, 3.0 * lengthFactor * 0.03);
        auto left = wave.channel(0, wave.frames() / 4, wave.frames() / 2);
        EXPECT_NEAR(zeroCrossingFrequency(left, wave.sampleRate), 440.0, 2.0);
        EXPECT_NEAR(rmsLevel(left), 0.5 / std::sqrt(2.0), 0.02); // a sine of amplitude 0.5
        EXPECT_NEAR(rmsLevel(wave.channel(1, wave.frames() / 4, wave.frames() / 2)) /
                        rmsLevel(left),
                    rightVolume / 100.0, 0.01);
    }
}

// A seek to the start, and a pause and resume, must not cost a single sample.
TEST_F(WaveOutputTest, SeekClampsAndSkipsTheFramesBefore) {
    // The frames skipped, roughly (the encoder delay shifts by part of a frame); -1: all but one.
    for (auto [seekTo, framesSkipped] :
         {std::pair<std::int32_t, std::int64_t>{40, 40}, {0, 0}, {-5, 0}, {1'000'000, -1}}) {
        SCOPED_TRACE(seekTo);
        WaveFile wave = decode(fixture(SineMp3{}), [&](Mp3Engine& e) {
            e.SeekFrame(seekTo);
            e.StartPlay();
            if (seekTo == 0) e.PauseToggle(), e.PauseToggle();
        });
        ASSERT_TRUE(wave.valid) << wave.problem;
        std::int64_t skipped = framesSkipped < 0 ? encoded.frames - 1 : framesSkipped;
        double expected = static_cast<double>(encoded.samples) - skipped * 1152.0;
        EXPECT_NEAR(static_cast<double>(wave.frames()), std::max(expected, 0.0), 2 * 1152.0);
        if (seekTo == 0) {
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

// The second stream's frame reports are coalesced, in order, and precede its end.
TEST_F(WaveOutputTest, EventsOfAStoppedStreamDoNotOutliveTheNextOpen) {
    auto first = fixture(SineMp3{}, "first.mp3");
    ASSERT_EQ(engine.OpenStream(first, dir / "first.wav"), 0);
    engine.StartPlay();
    engine.StopPlay(); // its ThreadEnded is not delivered before the next open
    WaveFile wave = decode(fixture({.seconds = 30}, "second.mp3"));
    pumpFor(engine, std::chrono::milliseconds(200));
    EXPECT_EQ(events.ended, 1);
    EXPECT_EQ(static_cast<std::int64_t>(wave.frames()), encoded.samples);
    ASSERT_FALSE(events.frames.empty());
    EXPECT_LT(events.frames.size(), static_cast<std::size_t>(encoded.frames) / 10);
    EXPECT_TRUE(std::is_sorted(events.frames.begin(), events.frames.end()));
    EXPECT_EQ(events.order.back(), "ThreadEnded");
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
