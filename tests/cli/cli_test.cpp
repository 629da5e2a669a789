#include "metadata/id3v1_block.h"
#include "support/cli_runner.h"
#include "support/lame_fixture.h"
#include "support/pulse_server.h"
#include "support/temp_dir.h"
#include "support/wave_file.h"
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vantrel::test {
namespace {

// vantrel-cli run in a folder of its own.
struct CliRun : ::testing::Test {
    TempDir dir;
    CliOutcome cli(const std::vector<std::string>& args) {
        return runProgram(dir.path(), VANTREL_CLI, args, 30);
    }
};

// vantrel-cli's player commands run as a user would, with mpg123 checking the output, and
// given what a careless or hostile user may give them: nothing is lost, nothing hangs, and
// what reaches the terminal is text.
struct CliEngineTest : CliRun {
    void SetUp() override {
        writeSineMp3(track, {.id3v1 = true});
        original = readFile(track);
    }
    std::string path(const char* name) const { return (dir / name).string(); }
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
    // The command line, its exit status (124 means it hung) and a part of its message.
    using Case = std::tuple<std::vector<std::string>, int, std::string>;
    writeFile(dir / "text.mp3", "just some text, not audio\n");
    writeFile(dir / "l.m3u", "sine.mp3\n");
    std::filesystem::create_symlink(dir / "l.m3u", dir / "link.m3u");
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
        {{"export", "--format", "csv", path("l.m3u"), path("link.m3u")}, 1, "link.m3u: "},
        {{"export", "--format", "csv", path("l.m3u"), song}, 1, "sine.mp3: "},
        {{"decode", song, "/dev/full"}, 1, std::strerror(ENOSPC)},
    };
    for (const auto& [args, status, message] : cases) {
        SCOPED_TRACE(args[0] + " " + args[1]);
        CliOutcome r = cli(args);
        EXPECT_EQ(r.status, status);
        EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
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

// vantrel-cli export: a playlist read as the window reads it, written as the window writes it.
struct CliExportTest : CliRun {
    std::string track = (dir / "song, one.mp3").string();
    void SetUp() override {
        writeSineMp3(track, {.seconds = 0.3});
        std::ofstream(track, std::ios::app) << id3v1::compose({"Tune <b>", "", "", "", "", 17});
        writeFile(dir / "in.m3u", "#EXTM3U\r\n\"song, one.mp3\"\r\n/gone/missing.mp3\r\n");
    }
};

TEST_F(CliExportTest, EachFormatWritesTheFoundTrackAndReportsTheMissingOne) {
    // The format, the file written and parts it holds.
    const std::tuple<const char*, const char*, std::vector<std::string>> cases[] = {
        {"m3u", "out.m3u", {"song, one.mp3\r\n"}},
        {"csv", "out.csv", {"FULL FILE PATH,", "\"" + track + "\"", "Tune <b>"}},
        {"html", "out.html", {"<h1>Mine</h1>", "Tune &lt;b&gt;", "href=\"song%2C%20one.mp3\""}},
    };
    for (const auto& [format, out, expected] : cases) {
        const auto run = cli({"export", "--format", format, "--title", "Mine", "in.m3u", out});
        EXPECT_EQ(run.status, 1) << format;
        EXPECT_NE(run.err.find("/gone/missing.mp3"), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find("EXTM3U"), std::string::npos) << "a comment is no entry";
        const std::string written = readFile(dir / out);
        for (const std::string& part : expected)
            EXPECT_NE(written.find(part), std::string::npos) << format << ": " << part;
    }
    writeFile(dir / "ok.m3u", "\"song, one.mp3\"\n");
    EXPECT_EQ(cli({"export", "--format", "html", "ok.m3u", "p.html"}).status, 0) << "none missing";
}

// vantrel-cli's tag commands run as a user would. Peers read what the tag editor writes
// (frm_qtag_test, the tag editor's end-to-end run); here we read what mutagen writes.
struct CliTest : CliRun {
    std::filesystem::path track = dir / "My Track.mp3";
    std::string audio = std::string(5000, '\x55');

    void SetUp() override { writeFile(track, audio); }
};

TEST_F(CliTest, InfoReadsWhatMutagenWrote) {
    if (!std::filesystem::exists("/usr/bin/python3")) GTEST_SKIP() << "python3 missing";
    // mutagen pads its fields with NULs, which the row shows as the letters alone.
    CliOutcome w =
        runProgram(dir.path(), "/usr/bin/python3",
                   {"-c",
                    "import sys\n"
                    "from mutagen.id3 import ID3, TIT2, TPE1, TALB, TDRC, TCON\n"
                    "t = ID3()\n"
                    "for frame, text in ((TIT2, 'Gr\\u00fc\\u00dfe'), (TPE1, "
                    "'Ana \\u00c9lise'), (TALB, 'Live'), (TDRC, '2004'), (TCON, 'Rock')):\n"
                    "    t.add(frame(encoding=3, text=text))\n"
                    "t.save(sys.argv[1], v1=2)\n",
                    track.string()});
    ASSERT_EQ(w.status, 0) << w.err;
    EXPECT_EQ(cli({"info", track.string()}).out,
              "My Track.mp3\t" + track.string() +
                  "\tGr\xC3\xBC\xC3\x9F"
                  "e\tAna \xC3\x89lise\tLive\tRock\t2004\t\t\t\t\n");
}

TEST_F(CliTest, TagChangesOnlyTheGivenFieldsAndDeltagBlanksThem) {
    ASSERT_EQ(cli({"tag", "--title", "One", "--genre", "Rock", track.string()}).status, 0);
    ASSERT_EQ(cli({"tag", "--album=Three", track.string()}).status, 0);
    TagRead tag;
    ASSERT_TRUE(id3v1::readTag(track, tag));
    EXPECT_EQ(tag.values, (TagValues{"One", "", "Three", "", "", 17}));
    EXPECT_EQ(readFile(track).substr(0, 5000), audio);
    ASSERT_EQ(cli({"deltag", track.string()}).status, 0);
    EXPECT_EQ(readFile(track), audio + id3v1::blank());
}

TEST_F(CliTest, FailuresAreReportedPerFileAndLeaveFilesAlone) {
    std::string shortContent = "TAG" + std::string(125, ' ');
    writeFile(dir / "short.mp3", shortContent);
    std::string missing = (dir / "missing.mp3").string();
    for (std::string command : {"tag", "deltag", "info"}) {
        std::vector<std::string> args = {command};
        if (command == "tag") args.insert(args.end(), {"--title", "x"});
        args.insert(args.end(), {missing, (dir / "short.mp3").string(), track.string()});
        CliOutcome r = cli(args);
        EXPECT_EQ(r.status, 1) << command;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 2) << r.err;
        EXPECT_NE(r.err.find("missing.mp3"), std::string::npos);
        EXPECT_NE(r.err.find("short.mp3: too short"), std::string::npos);
        EXPECT_EQ(readFile(dir / "short.mp3"), shortContent);
        EXPECT_FALSE(std::filesystem::exists(missing));
    }
    EXPECT_EQ(std::filesystem::file_size(track), 5128u) << "the good file was still handled";
}

} // namespace
} // namespace vantrel::test
