// vantrel-cli given what a careless or hostile user may give it: nothing is lost, nothing
// hangs, and what reaches the terminal is text.
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

namespace vantrel::test {
namespace {

CliOutcome cli(const TempDir& dir, const std::vector<std::string>& args) {
    return runProgram(dir.path(), VANTREL_CLI, args, 30);
}

// The last three cells of an info row: play time, sample rate, bit rate.
std::string streamPart(const std::string& row) {
    std::size_t at = row.size();
    for (int i = 0; i < 3 && at != std::string::npos; ++i)
        at = row.rfind('\t', at - 1);
    return at == std::string::npos ? std::string() : row.substr(at);
}

struct HostileInput : testing::Test {
    void SetUp() override {
        writeSineMp3(track, SineMp3{});
        original = readFile(track);
    }
    TempDir dir;
    std::filesystem::path track = dir / "in.mp3";
    std::string original;
};

TEST_F(HostileInput, DecodeNeverWritesOntoItsInput) {
    std::filesystem::create_hard_link(track, dir / "link.wav");
    std::filesystem::create_symlink(track, dir / "symlink.wav");
    for (const char* out : {"in.mp3", "link.wav", "symlink.wav"}) {
        SCOPED_TRACE(out);
        CliOutcome r = cli(dir, {"decode", track.string(), (dir / out).string()});
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find(out), std::string::npos) << r.err;
        EXPECT_TRUE(readFile(track) == original) << "the input changed";
    }
}

TEST_F(HostileInput, FifosAreRefusedNotWaitedOn) {
    std::string fifo = (dir / "pipe.mp3").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::vector<std::vector<std::string>> commands = {
        {"info", fifo},
        {"tag", "--title", "x", fifo},
        {"deltag", fifo},
        {"decode", fifo, (dir / "out.wav").string()},
    };
    for (const auto& args : commands) {
        SCOPED_TRACE(args[0]);
        CliOutcome r = cli(dir, args);
        EXPECT_EQ(r.status, 1) << "124 means it hung";
        EXPECT_NE(r.err.find("pipe.mp3"), std::string::npos) << r.err;
    }
}

TEST_F(HostileInput, AnOutputThatCannotBeWrittenIsNamedWithTheReason) {
    std::string out = (dir / "no-such-folder" / "out.wav").string();
    CliOutcome r = cli(dir, {"decode", track.string(), out});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(out), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(std::strerror(ENOENT)), std::string::npos) << r.err;
}

TEST_F(HostileInput, ControlCharactersNeverReachTheTerminal) {
    auto evil = dir / "a\x1b]0;owned\x07.mp3";
    std::filesystem::copy_file(track, evil);
    ASSERT_TRUE(id3v1::PutIDTag(evil, id3v1::compose({"\x1b[2J",
                                                      "\xC2\x9B"
                                                      "31m",
                                                      "", "", "\x7f", 1})));
    CliOutcome r = cli(dir, {"info", evil.string(), (dir / "gone\x1b[2J.mp3").string()});
    EXPECT_EQ(r.status, 1);
    for (const std::string& text : {r.out, r.err}) {
        for (char c : text) {
            auto u = static_cast<unsigned char>(c);
            EXPECT_TRUE((u >= 0x20 && u != 0x7f) || c == '\t' || c == '\n')
                << int(u) << " in " << text;
        }
        EXPECT_EQ(text.find("\xC2\x9B"), std::string::npos);
    }
}

TEST_F(HostileInput, TagWithoutAFieldIsAUsageError) {
    CliOutcome r = cli(dir, {"tag", track.string()});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(readFile(track) == original) << "the input changed";
}

// A relative path can be longer than any absolute path the system takes.
TEST_F(HostileInput, InfoFindsAFileBeyondTheLongestAbsolutePath) {
    std::string relative;
    int folder = ::open(dir.path().c_str(), O_RDONLY | O_DIRECTORY);
    const std::string first(250, 'd');
    // Short enough as given, too long once the temporary folder is put in front.
    while (relative.size() + 7 < PATH_MAX - 10) {
        std::string name =
            relative.empty()
                ? first
                : std::string(std::min<std::size_t>(250, PATH_MAX - 18 - relative.size()), 'd');
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
    relative += "in.mp3";

    CliOutcome deep = cli(dir, {"info", relative});
    CliOutcome near = cli(dir, {"info", "in.mp3"});
    runCommand("rm -rf " + shellQuoted((dir / first).string()));
    ASSERT_EQ(deep.status, 0) << deep.err;
    EXPECT_EQ(streamPart(deep.out), streamPart(near.out));
    EXPECT_NE(streamPart(near.out).substr(0, 2), "\t\t");
}

TEST_F(HostileInput, SilenceAfterTheAudioIsAnEndNotAFailure) {
    SineMp3 shape;
    shape.seconds = 0.34;
    shape.infoHeader = false;
    writeSineMp3(track, shape);
    std::filesystem::resize_file(track, std::filesystem::file_size(track) + (1 << 20));
    CliOutcome r = cli(dir, {"decode", track.string(), (dir / "out.wav").string()});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
}

} // namespace
} // namespace vantrel::test
