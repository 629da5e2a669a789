// vantrel-cli's search and rename, run as a user would.
#include "metadata/id3v1_block.h"
#include "support/cli_runner.h"
#include "support/temp_dir.h"
#include "tagedit/folder_walk.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vantrel {
namespace {

namespace fs = std::filesystem;
using test::CliOutcome;

struct CliFilesTest : ::testing::Test {
    test::TempDir dir;
    std::string folder = dir.path().string() + "/";

    CliOutcome cli(const std::vector<std::string>& args) {
        return test::runProgram(dir.path(), VANTREL_CLI, args);
    }
    std::string tagged(const std::string& name, const TagValues& tag) {
        test::writeFile(folder + name, std::string(300, 'a') + id3v1::compose(tag));
        return folder + name;
    }
};

TEST_F(CliFilesTest, SearchPrintsTheWalkInItsOrder) {
    for (const char* name : {"A/x.mp3", "A/B/y.mp3", "A/C/z.wav", "A/C/D/w.mp3"}) {
        fs::create_directories(fs::path(folder + name).parent_path());
        test::writeFile(folder + name, "x");
    }
    std::string expected;
    tagedit::walkFolder(folder + "A", "*.mp3", [&](const std::string& p) {
        expected += p + "\n";
        return true;
    });
    CliOutcome r = cli({"search", folder + "A"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, expected);
    EXPECT_EQ(cli({"search", "--pattern", "*.WAV", folder + "A"}).out, folder + "A/C/z.wav\n");
    EXPECT_EQ(cli({"search", folder + "nothing"}).status, 1);
}

TEST_F(CliFilesTest, RenameUsesTheTemplatesAndRefusesToReplace) {
    const std::string a = tagged("a.mp3", {"AC/DC live", "Band", "Best", "", "", 1});
    const std::string b = tagged("b.mp3", {"Taken", "", "", "", "", 1});
    test::writeFile(folder + "Taken.mp3", "keep me");

    CliOutcome dry = cli({"rename", "--use", "title-artist-album", "--dry-run", a});
    EXPECT_EQ(dry.out, a + "\t" + folder + "AC-DC live - Band - Best.mp3\n");
    EXPECT_TRUE(fs::exists(a));

    CliOutcome r = cli({"rename", "--use", "title", a, b});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_TRUE(fs::exists(folder + "AC-DC live.mp3"));
    EXPECT_TRUE(fs::exists(b));
    EXPECT_EQ(test::readFile(folder + "Taken.mp3"), "keep me");
    EXPECT_EQ(cli({"rename", "--use", "artist", b}).status, 2);
}

} // namespace
} // namespace vantrel
