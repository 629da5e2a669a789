#include "platform/drives.h"
#include "tagedit/folder_browser.h"
#include "tagedit/folder_walk.h"

#include <gtest/gtest.h>

#include "app/core_rig.h"

#include <filesystem>
#include <sys/stat.h>

namespace vantrel {
namespace {

using Strings = std::vector<std::string>;
namespace fs = std::filesystem;

struct FixedDrives : Drives {
    Strings drives;
    Strings list() override { return drives; }
};

struct FolderSearchTest : ::testing::Test, test::CoreRig {
    std::unique_ptr<TaggerCore> core = start();
    FixedDrives drives;
    FolderBrowser browser{drives, dialogs, core->playlist(), core->commands()};

    std::string file(const std::string& relative) { return trackWith(relative, std::nullopt); }
    Strings rowKeys() { return CoreRig::rowKeys(*core); }
};

TEST_F(FolderSearchTest, WalksDepthFirstSkippingDotFoldersLinksAndNeverOpeningAPipe) {
    const std::string a1 = file("A/a1.mp3"), b = file("A/B/b.mp3"), bb = file("A/B/B2/bb.MP3"),
                      c = file("A/C/c.mp3");
    file("A/.hidden/h.mp3");
    file("A/note.txt");
    fs::create_directory_symlink(folder + "A", folder + "A/C/loop");
    const std::string fifo = folder + "A/x.mp3";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);

    Strings found;
    ASSERT_TRUE(tagedit::walkFolder(folder + "A", "*.mp3", [&](const std::string& p) {
        found.push_back(p);
        return true;
    }));
    ASSERT_EQ(found.size(), 5u);
    // A's own matches first, then each subfolder's whole tree.
    const Strings own(found.begin(), found.begin() + 2);
    EXPECT_TRUE(own == (Strings{a1, fifo}) || own == (Strings{fifo, a1})) << own[0];
    const Strings rest(found.begin() + 2, found.end());
    EXPECT_TRUE(rest == (Strings{b, bb, c}) || rest == (Strings{c, b, bb})) << rest[0];

    // Selecting every result adds the files; the pipe is passed over, not read.
    browser.openFolder(folder + "A");
    browser.cmdSearchAll();
    EXPECT_EQ(browser.results(), found);
    browser.cmdSelAll();
    EXPECT_EQ(rowKeys(), (Strings{bb, b, c, a1}));
}

TEST_F(FolderSearchTest, SelectionInTheFileListIsMirroredInThePlaylist) {
    const std::string a = file("a.mp3"), b = file("b.mp3"), c = file("c.mp3");
    ASSERT_TRUE(browser.openFolder(folder));
    ASSERT_EQ(browser.files(), (Strings{"a.mp3", "b.mp3", "c.mp3"}));
    struct Click {
        int clicked;
        std::vector<bool> selected;
        Strings rows;
    };
    const Click clicks[] = {
        {0, {true, false, false}, {a}},
        {1, {true, true, true}, {a, b, c}}, // a shift-click adds a range
        {2, {false, false, true}, {c}},     // a plain click keeps only its own
        {0, {true, false, true}, {a, c}},   // ctrl-click adds
        {2, {true, false, false}, {a}},     // ctrl-click on a selected one removes it alone
    };
    for (const Click& k : clicks) {
        browser.listClick(k.clicked, k.selected);
        EXPECT_EQ(rowKeys(), k.rows) << k.clicked;
    }
    browser.cmdSelAll();
    EXPECT_EQ(rowKeys(), (Strings{a, b, c}));
}

TEST_F(FolderSearchTest, PatternsFromTheOptionsAndTheBox) {
    file("a.mp3");
    file("b.wav");
    file("c.ogg");
    ASSERT_TRUE(browser.openFolder(folder));
    browser.setExtText(" wav ");
    browser.optionClick(0);
    EXPECT_EQ(browser.files(), Strings{"b.wav"});
    EXPECT_EQ(browser.searchPattern(), "*.wav");
    browser.setExtText("*.ogg");
    browser.extLeave();
    EXPECT_EQ(browser.files(), Strings{"c.ogg"});
    EXPECT_EQ(browser.searchPattern(), "*.wav") << "searches keep the option's pattern";
    browser.optionClick(1);
    EXPECT_EQ(browser.files(), Strings{"a.mp3"});
}

TEST_F(FolderSearchTest, ASecondPressStopsTheSearch) {
    for (int i = 0; i < 50; ++i)
        file("F" + std::to_string(i) + "/x.mp3");
    ASSERT_TRUE(browser.openFolder(folder));
    int pumps = 0;
    browser.setEventPump([&] {
        if (++pumps == 1) browser.cmdSearchAll();
    });
    browser.cmdSearchAll();
    EXPECT_FALSE(browser.searching());
    EXPECT_LT(browser.results().size(), 50u);
    EXPECT_GE(pumps, 1);
}

TEST_F(FolderSearchTest, ADriveThatCannotBeOpenedIsReportedAndTheSecondIsChosen) {
    drives.drives = {folder + "no-medium", folder};
    browser.load(folder);
    browser.chooseDrive(0);
    EXPECT_EQ(dialogs.shown.back().icon, Dialogs::Icon::Critical);
    EXPECT_EQ(browser.drive(), 1);
    EXPECT_EQ(browser.folder(), folder);
}

TEST(MountedDrives, RealFileSystemsRootFirstThenInPathOrder) {
    const std::string mounts = "proc /proc proc rw 0 0\n"
                               "/dev/sdb1 /mnt/My\\040Music ext4 rw 0 0\n"
                               "tmpfs /run tmpfs rw 0 0\n"
                               "/dev/sda2 /home ext4 rw 0 0\n"
                               "overlay / overlay rw 0 0\n"
                               "/dev/sda2 /home ext4 rw 0 0\n";
    EXPECT_EQ(MountedDrives::parseMounts(mounts), (Strings{"/", "/home", "/mnt/My Music"}));
}

} // namespace
} // namespace vantrel
