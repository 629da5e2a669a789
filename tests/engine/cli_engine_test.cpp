// vantrel-cli's player commands run as a user would, with mpg123 and sox checking the output.
#include <gtest/gtest.h>

#include "support/cli_runner.h"

#include "support/lame_fixture.h"
#include "support/pulse_server.h"
#include "support/temp_dir.h"
#include "support/wave_file.h"

namespace vantrel::test {
namespace {

using Outcome = CliOutcome;

// The command line is split by the shell, so tests can write it as a user would.
Outcome cli(const TempDir& dir, const std::string& args) {
    return runProgram(dir.path(), "/bin/sh", {"-c", shellQuoted(VANTREL_CLI) + " " + args});
}

class CliEngineTest : public testing::Test {
protected:
    void SetUp() override {
        SineMp3 shape;
        shape.id3v1 = true;
        writeSineMp3(dir / "sine.mp3", shape);
    }
    std::string file(const char* name) const { return "'" + (dir / name).string() + "'"; }
    TempDir dir;
};

TEST_F(CliEngineTest, InfoEndsEachRowWithPlayTimeSampleRateAndBitRate) {
    Outcome r = cli(dir, "info " + file("sine.mp3"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out.ends_with("\t00:03\t 44.1 Khz\t 128 Kbit\n")) << r.out;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\t'), 10);
}

TEST_F(CliEngineTest, DecodeWritesWhatMpg123Writes) {
    Outcome r = cli(dir, "decode " + file("sine.mp3") + " " + file("ours.wav"));
    ASSERT_EQ(r.status, 0) << r.err;
    WaveFile ours = WaveFile::read(dir / "ours.wav");
    ASSERT_TRUE(ours.valid) << ours.problem;
    EXPECT_EQ(ours.frames(), 3u * 44100);
    if (runCommand("command -v mpg123 >/dev/null") != 0) GTEST_SKIP() << "mpg123 missing";
    ASSERT_EQ(runCommand("mpg123 -q -w " + file("ref.wav") + " " + file("sine.mp3")), 0);
    EXPECT_EQ(readFile(dir / "ours.wav"), readFile(dir / "ref.wav"));
}

TEST_F(CliEngineTest, WrongInputIsReportedWithItsExitStatus) {
    struct Case {
        std::string args;
        int status;
        const char* message;
    };
    writeFile(dir / "text.mp3", "just some text, not audio\n");
    const Case cases[] = {
        {"decode " + file("missing.mp3") + " " + file("out.wav"), 1, "missing.mp3"},
        {"decode " + file("text.mp3") + " " + file("out.wav"), 1, "text.mp3"},
        {"decode " + file("sine.mp3"), 2, "decode wants"},
        {"play " + file("sine.mp3") + " --tempo 201", 2, "--tempo"},
        {"play " + file("sine.mp3") + " --volume 50", 2, "--volume"},
        {"play --device 3", 2, "no file"},
        {"devices extra", 2, "no arguments"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        Outcome r = cli(dir, c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
}

} // namespace
} // namespace vantrel::test
