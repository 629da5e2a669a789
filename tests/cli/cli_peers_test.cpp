// vantrel-cli run as a user would, with other tag tools reading what it writes and writing
// what it reads.
#include "metadata/id3v1_block.h"
#include "support/cli_runner.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using test::readFile;
using test::TempDir;
using test::writeFile;
using Outcome = test::CliOutcome;

Outcome run(const TempDir& dir, const std::string& program, const std::vector<std::string>& args) {
    return test::runProgram(dir.path(), program, args);
}
Outcome cli(const TempDir& dir, const std::vector<std::string>& args) {
    return run(dir, VANTREL_CLI, args);
}

bool havePeer(const char* program) {
    return std::system((std::string("command -v ") + program + " >/dev/null").c_str()) == 0;
}

// mutagen's own ID3v1 reader, as "title|artist|album|year|comment|genre".
Outcome mutagenRead(const TempDir& dir, const std::filesystem::path& file) {
    return run(dir, "/usr/bin/python3",
               {"-c",
                "import sys\n"
                "from mutagen.id3._id3v1 import ParseID3v1\n"
                "f = ParseID3v1(open(sys.argv[1], 'rb').read()[-128:])\n"
                "get = lambda k: str(f[k]) if k in f else ''\n"
                "print('|'.join(get(k) for k in ('TIT2','TPE1','TALB','TDRC','COMM','TCON')))\n",
                file.string()});
}

struct CliTest : ::testing::Test {
    TempDir dir;
    std::filesystem::path track = dir / "My Track.mp3";
    std::string audio = std::string(5000, '\x55');

    void SetUp() override { writeFile(track, audio); }
};

// id3v2 reads our tags in the tag editor's end-to-end run.
TEST_F(CliTest, TagWritesWhatMutagenReadsBack) {
    if (!havePeer("/usr/bin/python3")) GTEST_SKIP() << "python3 missing";
    Outcome r = cli(dir, {"tag", "--title", "Caf\xC3\xA9 \xC3\xBC", "--artist", "Bj\xC3\xB6rk",
                          "--album", "Album", "--year", "1999", "--comment", "short note",
                          "--genre", "200", track.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(mutagenRead(dir, track).out,
              "Caf\xC3\xA9 \xC3\xBC|Bj\xC3\xB6rk|Album|1999|short note|200\n");

    EXPECT_EQ(cli(dir, {"info", track.string()}).out,
              "My Track.mp3\t" + track.string() +
                  "\tCaf\xC3\xA9 \xC3\xBC\tBj\xC3\xB6rk\tAlbum\t\t1999\tshort note\t\t\t\n");
}

// mutagen pads its fields with NULs, which the row shows as the letters alone.
TEST_F(CliTest, InfoReadsTagsMutagenWrote) {
    if (!havePeer("/usr/bin/python3")) GTEST_SKIP() << "python3 missing";
    Outcome w = run(dir, "/usr/bin/python3",
                    {"-c",
                     "import sys\n"
                     "from mutagen.id3 import ID3, TIT2, TPE1, TALB, TDRC, TCON\n"
                     "t = ID3()\n"
                     "t.add(TIT2(encoding=3, text='Gr\\u00fc\\u00dfe'))\n"
                     "t.add(TPE1(encoding=3, text='Ana \\u00c9lise'))\n"
                     "t.add(TALB(encoding=3, text='Live'))\n"
                     "t.add(TDRC(encoding=3, text='2004'))\n"
                     "t.add(TCON(encoding=3, text='Rock'))\n"
                     "t.save(sys.argv[1], v1=2)\n",
                     track.string()});
    ASSERT_EQ(w.status, 0) << w.err;
    EXPECT_EQ(cli(dir, {"info", track.string()}).out,
              "My Track.mp3\t" + track.string() +
                  "\tGr\xC3\xBC\xC3\x9F"
                  "e\tAna \xC3\x89lise\tLive\tRock\t2004\t\t\t\t\n");
}

TEST_F(CliTest, TagChangesOnlyTheGivenFieldsAndDeltagBlanksThem) {
    ASSERT_EQ(cli(dir, {"tag", "--title", "One", "--genre", "Rock", track.string()}).status, 0);
    ASSERT_EQ(cli(dir, {"tag", "--album=Three", track.string()}).status, 0);
    TagRead tag;
    ASSERT_TRUE(id3v1::readTag(track, tag));
    EXPECT_EQ(tag.values, (TagValues{"One", "", "Three", "", "", 17}));
    EXPECT_EQ(readFile(track).substr(0, 5000), audio);
    ASSERT_EQ(cli(dir, {"deltag", track.string()}).status, 0);
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
        Outcome r = cli(dir, args);
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
} // namespace vantrel
