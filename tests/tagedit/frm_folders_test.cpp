// The folder browser's window over the real core.
#include "tagedit/ui/frm_folders.h"

#include <gtest/gtest.h>

#include "app/core_rig.h"
#include "platform/drives.h"
#include "tagedit/folder_browser.h"

#include <QTest>

namespace vantrel {
namespace {

struct OneDrive : Drives {
    std::string root;
    std::vector<std::string> list() override { return {root}; }
};

struct FrmFoldersTest : ::testing::Test, test::CoreRig {
    std::unique_ptr<TaggerCore> core = start();
    OneDrive drive;
    FolderBrowser browser{drive, dialogs, core->playlist(), core->commands()};
    std::unique_ptr<frmFolders> window;

    void SetUp() override {
        for (const char* name : {"a.mp3", "b.mp3", "sub/c.mp3"})
            trackWith(name, std::nullopt);
        drive.root = folder;
        browser.load(folder);
        browser.chooseDrive(0); // a drive search needs a last drive
        window = std::make_unique<frmFolders>(browser);
    }
};

TEST_F(FrmFoldersTest, ClicksReachTheBrowserAndTheListsFollowIt) {
    ASSERT_EQ(window->filVoxList->count(), 2);
    QTest::mouseClick(window->filVoxList->viewport(), Qt::LeftButton, {},
                      window->filVoxList->visualItemRect(window->filVoxList->item(1)).center());
    EXPECT_EQ(core->playlist().count(), 1);
    EXPECT_TRUE(core->playlist().contains(folder + "b.mp3"));

    window->cmdSelAll->click();
    EXPECT_EQ(core->playlist().count(), 2);

    window->cmdSearchAll->click();
    EXPECT_TRUE(window->lstFiles->isVisibleTo(window.get()));
    EXPECT_FALSE(window->filVoxList->isVisibleTo(window.get()));
    EXPECT_EQ(window->lstFiles->count(), 3);

    window->show();
    window->cmdOK->click();
    EXPECT_FALSE(window->isVisible());
}

} // namespace
} // namespace vantrel
