#include "settings/ini_store.h"
#include "settings/ini_values.h"
#include "support/temp_dir.h"
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vantrel {
namespace {

using test::readFile;
using test::TempDir;
using test::writeFile;

struct IniStoreTest : ::testing::Test {
    TempDir dir;
    IniStore ini{dir / "vantrel.ini"};

    // Runs `work` in a child process, whose exit status says whether it succeeded; `meanwhile`
    // runs here at the same time.
    template <typename Work, typename Meanwhile> void inChild(Work work, Meanwhile meanwhile) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) ::_exit(work() ? 0 : 1);
        meanwhile();
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
};

TEST_F(IniStoreTest, WriteCreatesFileSectionAndKeyWithCrLf) {
    EXPECT_EQ(ini.getIni("options", "vol"), "");
    EXPECT_FALSE(std::filesystem::exists(ini.file())) << "a read creates no file";
    ASSERT_TRUE(ini.putIni("options", "vol", "75"));
    EXPECT_EQ(readFile(ini.file()), "[options]\r\nvol=75\r\n");
    ASSERT_TRUE(ini.putIni("options", "loop", "1"));
    ASSERT_TRUE(ini.putIni("looks", "back_img", "na"));
    EXPECT_EQ(readFile(ini.file()),
              "[options]\r\nvol=75\r\nloop=1\r\n\r\n[looks]\r\nback_img=na\r\n");
    EXPECT_EQ(ini.getIni("looks", "back_img"), "na");
    ASSERT_TRUE(ini.putIni("looks", "back_img", ""));
    EXPECT_EQ(ini.getIni("looks", "back_img"), "") << "an empty value reads as a missing one";
    ASSERT_TRUE(ini.putIni("music_tag", "tag_1", "two\r\nlines\nhere"));
    EXPECT_EQ(ini.getIni("music_tag", "tag_1"), "two  lines here") << "line breaks become blanks";
    EXPECT_EQ(ini.getIni("music_tag", "lines"), "");
}

TEST_F(IniStoreTest, ReadsAsTheProfileFunctionsDo) {
    const std::string longValue(200, 'x'), utf8Value = std::string(126, 'a') + "\xC3\xA9\xC3\xA9";
    writeFile(ini.file(),
              "; comment\nstray=before any section\n[Options]\n  VOL  =   75  \nempty=\n"
              "no equals sign\nlong=" +
                  longValue + "\nutf8=" + utf8Value +
                  "\n[options]\nvol=shadowed by the first section\n"
                  "[ looks ]\r\nedg_col=255\r\n");
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"options", "vol", "75"},    {"OPTIONS", "Vol", "75"},
        {"options", "empty", ""},    {"options", "missing", ""},
        {"nosuch", "vol", ""},       {"options", "stray", ""},
        {"looks", "edg_col", "255"}, {"options", "no equals sign", ""},
    };
    for (const auto& [section, key, value] : cases)
        EXPECT_EQ(ini.getIni(section, key), value) << section << "/" << key;
    EXPECT_EQ(ini.getIni("options", "long"), std::string(127, 'x'));
    // The cut counts characters and never splits one.
    EXPECT_EQ(ini.getIni("options", "utf8"), std::string(126, 'a') + "\xC3\xA9");
}

TEST_F(IniStoreTest, WriteKeepsEveryOtherLineAsItWas) {
    std::string before = "; my notes\n[default]\nlv_header_0=File Name\n\n[options]\r\nVOL=10\r\n"
                         "odd line\r\n\r\n[looks]\nbnr_bold=True";
    writeFile(ini.file(), before);
    ASSERT_TRUE(ini.putIni("options", "vol", "75"));
    ASSERT_TRUE(ini.putIni("options", "random", "1"));
    ASSERT_TRUE(ini.putIni("looks", "bnr_size", "9"));
    EXPECT_EQ(readFile(ini.file()),
              "; my notes\n[default]\nlv_header_0=File Name\n\n[options]\r\nvol=75\r\n"
              "odd line\r\nrandom=1\r\n\r\n[looks]\nbnr_bold=True\r\nbnr_size=9\r\n");
}

TEST_F(IniStoreTest, BrokenFilesReadAsFarAsTheyCanAndWritesKeepWhatWasRead) {
    std::string junk;
    for (int i = 0; i < 4096; ++i)
        junk += static_cast<char>((i * 131 + 7) % 256);
    // The file after the write; empty: the old bytes stay, the key is appended.
    const std::pair<std::string, std::string> cases[] = {
        {junk, ""},
        {std::string("\0\0\0[options]\0\n", 15) + junk, ""},
        {"no sections at all\nvol=3\n", ""},
        {std::string(1 << 20, 'k') + "\n", ""},
        {"[options\nvol=5\n", "[options\nvol=42\n"},
        {"[options]\r\nvol=5", "[options]\r\nvol=42"},
    };
    for (const auto& [content, written] : cases) {
        writeFile(ini.file(), content);
        ini.getIni("options", "vol");
        ASSERT_TRUE(ini.putIni("options", "vol", "42"));
        EXPECT_EQ(ini.getIni("options", "vol"), "42");
        std::string after = readFile(ini.file());
        if (written.empty())
            EXPECT_EQ(after.substr(0, content.size()), content);
        else
            EXPECT_EQ(after, written);
    }
}

// A batch's puts are read back at once and reach the file when the outermost batch ends; a
// batch that changes no byte leaves the file as it was.
TEST_F(IniStoreTest, ABatchIsReadBackAndWrittenWhenTheOutermostBatchEnds) {
    writeFile(ini.file(), "[s]\r\nk=5\r\n");
    {
        IniStore::Batch outer = ini.beginBatch();
        {
            IniStore::Batch inner = ini.beginBatch();
            ASSERT_TRUE(ini.putIni("S", "K", "  7\n"));
            ASSERT_TRUE(inner.commit());
        }
        EXPECT_EQ(ini.getIni("s", "k"), "7");
        EXPECT_EQ(readFile(ini.file()), "[s]\r\nk=5\r\n");
    }
    EXPECT_EQ(readFile(ini.file()), "[s]\r\nK=  7 \r\n");
    auto inode = [&] {
        struct stat st {};
        ::stat(ini.file().c_str(), &st);
        return st.st_ino;
    };
    const auto before = inode();
    ASSERT_TRUE(ini.beginBatch().commit());
    IniStore::Batch same = ini.beginBatch();
    ASSERT_TRUE(ini.putIni("s", "K", "  7 "));
    ASSERT_TRUE(same.commit());
    EXPECT_EQ(inode(), before);
}

// A FIFO would make every start wait for a writer that never comes.
TEST_F(IniStoreTest, WritesThatCannotHappenFailAndAFifoReadsAsEmpty) {
    EXPECT_FALSE(IniStore(dir / "no such folder" / "vantrel.ini").putIni("options", "vol", "2"));
    std::filesystem::create_directory(dir / "folder.ini");
    EXPECT_FALSE(IniStore(dir / "folder.ini").putIni("options", "vol", "2"));
    EXPECT_EQ(IniStore(dir / "folder.ini").getIni("options", "vol"), "");
    ASSERT_EQ(::mkfifo(ini.file().c_str(), 0644), 0);
    ::alarm(10); // a wait on the FIFO ends the test instead of hanging it
    EXPECT_EQ(ini.getIni("options", "vol"), "");
    const auto written = ini.putIni("options", "vol", "2");
    ::alarm(0);
    EXPECT_FALSE(written);
    EXPECT_NE(written.error().find(ini.file().string()), std::string::npos) << written.error();
}

// A settings file that is a link is the user's choice: writes go to the link's target.
TEST_F(IniStoreTest, WritesGoThroughALinkThatStays) {
    std::filesystem::create_directory(dir / "elsewhere");
    const auto target = dir / "elsewhere" / "settings.ini";
    for (const bool targetExists : {true, false}) {
        std::filesystem::remove(target);
        std::filesystem::remove(ini.file());
        if (targetExists) writeFile(target, "[options]\r\nvol=5\r\n");
        std::filesystem::create_symlink("elsewhere/settings.ini", ini.file());
        ASSERT_TRUE(ini.putIni("options", "loop", "1")) << targetExists;
        EXPECT_TRUE(std::filesystem::is_symlink(ini.file()));
        EXPECT_EQ(readFile(target),
                  targetExists ? "[options]\r\nvol=5\r\nloop=1\r\n" : "[options]\r\nloop=1\r\n");
        EXPECT_EQ(ini.getIni("options", "loop"), "1");
    }
}

// Another process's write is seen by the next read, even when this store has read before and
// the value keeps its length.
TEST_F(IniStoreTest, ReadsSeeAnotherProcesssWrite) {
    ASSERT_TRUE(ini.putIni("options", "vol", "11"));
    EXPECT_EQ(ini.getIni("options", "vol"), "11");
    inChild([&] { return IniStore(ini.file()).putIni("options", "vol", "22").isOk(); }, [] {});
    EXPECT_EQ(ini.getIni("options", "vol"), "22");
}

TEST_F(IniStoreTest, ConcurrentWritersLoseNoKey) {
    constexpr int kWrites = 500;
    // Returns how many writes failed: a writer kept waiting must not give up.
    auto writer = [&](const std::string& prefix) {
        int failed = 0;
        for (int i = 0; i < kWrites; ++i)
            if (!ini.putIni("options", prefix + std::to_string(i % 25), std::to_string(i)))
                ++failed;
        return failed;
    };
    inChild([&] { return writer("a") == 0; }, [&] { EXPECT_EQ(writer("b"), 0); });
    for (int k = 0; k < 25; ++k) {
        std::string last = std::to_string(kWrites - 25 + k);
        EXPECT_EQ(ini.getIni("options", "a" + std::to_string(k)), last);
        EXPECT_EQ(ini.getIni("options", "b" + std::to_string(k)), last);
    }
    std::string text = readFile(ini.file());
    EXPECT_EQ(text.rfind("[options]\r\n", 0), 0u);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 51);
}

// Stored texts are whatever a user or another program left: each reader must give a usable
// value for odd text, never throw or read past the number.
TEST(IniValues, NumbersTakeTheNumericPrefixAndRoundHalvesToEven) {
    const std::pair<const char*, int> cases[] = {
        {"  75", 75},     {"12abc", 12},      {"", 0},      {"abc", 0}, {"+4", 4},
        {"2.5", 2},       {"3.5", 4},         {"-2.5", -2}, {".5", 0},  {"- 3", 0},
        {"40000", 32767}, {"-40000", -32768}, {"0x10", 0},  {"7.", 7},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(readNumber16(text), value) << '"' << text << '"';
    EXPECT_EQ(readNumber32("99999999999"), 2147483647);
    EXPECT_FALSE(readFlag(" 1"));
    EXPECT_EQ(readColour(""), std::nullopt) << "not set, so the caller's own colour applies";
    EXPECT_EQ(readColour("red"), 0u);
}

TEST(IniValues, WordFlagConvertsWordsAndWholeNumbers) {
    const std::pair<const char*, bool> cases[] = {
        {"TRUE", true}, {" True ", true}, {"-1", true},  {"0.5", true},    {"False", false},
        {"0", false},   {"", false},      {"2x", false}, {"Truex", false},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(readWordFlag(text), value) << '"' << text << '"';
}

} // namespace
} // namespace vantrel
