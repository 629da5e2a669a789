#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <random>

#include "engine_harness.h"
#include "support/lame_fixture.h"
#include "support/temp_dir.h"
#include "support/wave_file.h"

namespace vantrel::test {
namespace {

enum class Expect { OpenFails, PlaysToAnEnd, PlaysOnWhenRemoved };

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
    {"OnlyAnId3v2Tag",
     [](const TempDir& d) {
         std::string tag("ID3\x03\0\0\0\0\x10\0", 10);
         return named(d, tag + std::string(2048, '\0'));
     },
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
     Expect::PlaysToAnEnd},
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
        EXPECT_TRUE(WaveFile::read(dir / wave).valid);
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

} // namespace
} // namespace vantrel::test
