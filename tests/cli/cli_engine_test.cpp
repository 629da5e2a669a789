// vantrel-cli's player commands run as a user would, with mpg123 checking the output, and
// given what a careless or hostile user may give them: nothing is lost, nothing hangs, and
// what reaches the terminal is text.
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "metadata/id3v1_block.h"
#include "support/cli_runner.h"
#include "support/lame_fixture.h"
#include "support/pulse_server.h"
#include "support/temp_dir.h"
#include "support/wave_file.h"

namespace vantrel::test {
namespace {

class CliEngineTest : public testing::Test {
protected:
    void SetUp() override {
        writeSineMp3(track, {.id3v1 = true});
        original = readFile(track);
    }
    CliOutcome cli(const std::vector<std::string>& args) {
        return runProgram(dir.path(), VANTREL_CLI, args, 30);
    }
    std::string path(const char* name) const { return (dir / name).string(); }
    TempDir dir;
    std::filesystem::path track = dir / "sine.mp3";
    std::string original;
};

TEST_F(CliEngineTest, DecodeWritesWhatMpg123Writes) {
    CliOutcome r = cli({"decode", track.string(), path("ours.wav")});
    ASSERT_EQ(r.status, 0) << r.err;
    WaveFile ours = WaveFile::read(dir / "ours.wav");
    ASSERT_TRUE(ours.valid) << ours.problem;
    EXPECT_EQ(ours.frames(), 3u * 44100);
    if (runCommand("command -v mpg123 >/dev/null") != 0) GTEST_SKIP() << "mpg123 missing";
    ASSERT_EQ(runCommand("mpg123 -q -w " + shellQuoted(path("ref.wav")) + " " +
                         shellQuoted(track.string())),
              0);
    EXPECT_EQ(readFile(dir / "ours.wav"), readFile(dir / "ref.wav"));
}

TEST_F(CliEngineTest, WrongInputIsReportedAndLeavesTheInputAlone) {
    struct Case {
        std::vector<std::string> args;
        int status; // 124 means it hung
        std::string message;
    };
    writeFile(dir / "text.mp3", "just some text, not audio\n");
    ASSERT_EQ(::mkfifo(path("pipe.mp3").c_str(), 0600), 0);
    std::string song = track.string(), fifo = path("pipe.mp3"), noEntry = strerror(ENOENT);
    const Case cases[] = {
        {{"decode", path("missing.mp3"), path("out.wav")}, 1, "missing.mp3"},
        {{"decode", path("text.mp3"), path("out.wav")}, 1, "text.mp3"},
        {{"decode", song, path("none/out.wav")}, 1, "none/out.wav: " + noEntry},
        {{"decode", fifo, path("out.wav")}, 1, "pipe.mp3"},
        {{"info", fifo}, 1, "pipe.mp3"},
        {{"tag", "--title", "x", fifo}, 1, "pipe.mp3"},
        {{"deltag", fifo}, 1, "pipe.mp3"},
        {{"tag", "--genre", "Polkadot", song}, 2, "Polkadot"},
        {{"frobnicate", song}, 2, "frobnicate"},
        {{"decode", song}, 2, "decode wants"},
        {{"play", song, "--tempo", "201"}, 2, "--tempo"},
        {{"play", song, "--volume", "50"}, 2, "--volume"},
        {{"play", "--device", "3"}, 2, "no file"},
        {{"devices", "extra"}, 2, "no arguments"},
        {{"export", "--format", "xls", "in.m3u", "o"}, 2, "--format"},
        {{"export", "--format", "m3u", "in.m3u"}, 2, "playlist"},
        {{"export", "--format", "m3u", path("nothere.m3u"), path("o.m3u")}, 1, "nothere.m3u"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[0] + " " + c.args[1]);
        CliOutcome r = cli(c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_TRUE(readFile(track) == original) << "the input changed";
    }
}

TEST_F(CliEngineTest, ControlCharactersNeverReachTheTerminal) {
    auto evil = dir / "a\x1b]0;owned\x07.mp3";
    std::filesystem::copy_file(track, evil);
    ASSERT_TRUE(id3v1::PutIDTag(evil, id3v1::compose({"\x1b[2J", "\xC2\x9D", "", "", "\x7f", 1})));
    CliOutcome r = cli({"info", evil.string(), path("gone\x1b[2J.mp3")});
    EXPECT_EQ(r.status, 1);
    for (const std::string& text : {r.out, r.err}) {
        for (char c : text) {
            auto u = static_cast<unsigned char>(c);
            EXPECT_TRUE((u >= 0x20 && u != 0x7f) || c == '\t' || c == '\n') << int(u);
        }
        EXPECT_EQ(text.find("\xC2\x9D"), std::string::npos); // a C1 control
    }
}

// A relative path can be longer than any absolute path the system takes.
TEST_F(CliEngineTest, InfoEndsWithTheStreamCellsAlsoBeyondTheLongestAbsolutePath) {
    std::string relative;
    int folder = ::open(dir.path().c_str(), O_RDONLY | O_DIRECTORY);
    const std::string first(250, 'd');
    while (relative.size() + 7 < PATH_MAX - 10) {
        std::size_t length = std::min<std::size_t>(250, PATH_MAX - 18 - relative.size());
        std::string name = relative.empty() ? first : std::string(length, 'd');
        ASSERT_EQ(::mkdirat(folder, name.c_str(), 0700), 0) << std::strerror(errno);
        int inner = ::openat(folder, name.c_str(), O_RDONLY | O_DIRECTORY);
        ::close(folder);
        folder = inner;
        relative += name + "/";
    }
    int out = ::openat(folder, "in.mp3", O_WRONLY | O_CREAT, 0600);
    ASSERT_EQ(::write(out, original.data(), original.size()),
              static_cast<ssize_t>(original.size()));
    ::close(out);
    ::close(folder);

    CliOutcome deep = cli({"info", relative + "in.mp3"});
    runCommand("rm -rf " + shellQuoted((dir / first).string()));
    ASSERT_EQ(deep.status, 0) << deep.err;
    EXPECT_TRUE(deep.out.ends_with("\t00:03\t 44.1 Khz\t 128 Kbit\n")) << deep.out;
    EXPECT_EQ(std::count(deep.out.begin(), deep.out.end(), '\t'), 10);
}

} // namespace
} // namespace vantrel::test
