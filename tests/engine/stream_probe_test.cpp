#include <gtest/gtest.h>

#include "engine/mp3_engine.h"
#include "engine_harness.h"
#include "support/lame_fixture.h"
#include "support/temp_dir.h"
#include "support/wave_file.h"

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

} // namespace
} // namespace vantrel::test
