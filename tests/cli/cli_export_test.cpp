// vantrel-cli export: a playlist read as the window reads it, written as the window writes it.
#include "metadata/id3v1_block.h"
#include "support/cli_runner.h"
#include "support/lame_fixture.h"
#include "support/temp_dir.h"

#include <fstream>
#include <gtest/gtest.h>

namespace vantrel::test {
namespace {

struct CliExportTest : ::testing::Test {
    TempDir dir;
    std::string track = (dir / "song, one.mp3").string();
    void SetUp() override {
        writeSineMp3(track, {.seconds = 0.3});
        std::ofstream(track, std::ios::app) << id3v1::compose({"Tune <b>", "", "", "", "", 17});
        writeFile(dir / "in.m3u", "#EXTM3U\r\n\"song, one.mp3\"\r\n/gone/missing.mp3\r\n");
    }
    CliOutcome cli(const std::vector<std::string>& args) {
        return runProgram(dir.path(), VANTREL_CLI, args, 30);
    }
};

TEST_F(CliExportTest, EachFormatWritesTheFoundTrackAndReportsTheMissingOne) {
    struct Case {
        const char* format;
        const char* out;
        std::vector<std::string> expected; // in the written file
    } cases[] = {
        {"m3u", "out.m3u", {"song, one.mp3\r\n"}},
        {"csv", "out.csv", {"FULL FILE PATH,", "\"" + track + "\"", "Tune <b>"}},
        {"html", "out.html", {"<h1>Mine</h1>", "Tune &lt;b&gt;", "href=\"song%2C%20one.mp3\""}},
    };
    for (const Case& c : cases) {
        const auto run = cli({"export", "--format", c.format, "--title", "Mine", "in.m3u", c.out});
        EXPECT_EQ(run.status, 1) << c.format;
        EXPECT_NE(run.err.find("/gone/missing.mp3"), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find("EXTM3U"), std::string::npos) << "a comment is no entry";
        const std::string written = readFile(dir / c.out);
        for (const std::string& part : c.expected)
            EXPECT_NE(written.find(part), std::string::npos) << c.format << ": " << part;
    }
    writeFile(dir / "ok.m3u", "\"song, one.mp3\"\n");
    EXPECT_EQ(cli({"export", "--format", "html", "ok.m3u", "p.html"}).status, 0) << "none missing";
}

} // namespace
} // namespace vantrel::test
