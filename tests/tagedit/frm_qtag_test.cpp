// The tag editor's dialog over the real core, with peer tools reading what it saved.
#include "tagedit/ui/frm_qtag.h"

#include <gtest/gtest.h>

#include "app/core_rig.h"
#include "platform/drives.h"
#include "support/cli_runner.h"
#include "tagedit/folder_browser.h"
#include "tagedit/ui/frm_folders.h"

#include <QTest>
#include <QTimer>

namespace vantrel {
namespace {

// Typed as key presses, letters outside ASCII included.
void type(QComboBox* box, const QString& text) {
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, box->lineEdit(), Qt::Key_A, c, Qt::NoModifier);
}

struct FrmQTagTest : ::testing::Test, test::CoreRig {
    std::unique_ptr<TaggerCore> core = start();
    frmQTag dialog{core->tagEditor()};
    std::string a = track("a.mp3", "Old");

    // Runs `user` once the dialog is shown modally for the selected rows.
    void editSelected(std::function<void()> user) {
        ASSERT_TRUE(core->commands().GetListTag(a));
        core->playlist().setSelected(1, true);
        QTimer::singleShot(0, &dialog, [&] {
            EXPECT_TRUE(dialog.isVisible());
            user();
        });
        core->commands().editSelected();
        EXPECT_FALSE(dialog.isVisible());
    }
};

TEST_F(FrmQTagTest, EnterSavesWhatWasTypedAsPeerToolsReadIt) {
    editSelected([&] {
        dialog.cmbMtag[TagEditor::Title]->lineEdit()->clear();
        type(dialog.cmbMtag[TagEditor::Title], "Caf\u00e9 \u00fc");
        type(dialog.cmbMtag[TagEditor::Artist], "Bj\u00f6rk");
        type(dialog.cmbMtag[TagEditor::Year], "1999");
        dialog.cmbGenreSort->activated(0);
        QTest::keyClick(dialog.cmbMtag[TagEditor::Year]->lineEdit(), Qt::Key_Return);
    });
    const int genre = core->tagEditor().tagGenre();
    test::CliOutcome m =
        test::runProgram(dir.path(), "/usr/bin/python3",
                         {"-c",
                          "import sys\nfrom mutagen.id3._id3v1 import ParseID3v1\n"
                          "f = ParseID3v1(open(sys.argv[1], 'rb').read()[-128:])\n"
                          "print('|'.join(str(f[k]) for k in ('TIT2','TPE1','TDRC','TCON')))\n",
                          a});
    EXPECT_EQ(m.out, "Caf\xC3\xA9 \xC3\xBC|Bj\xC3\xB6rk|1999|" + std::to_string(genre) + "\n")
        << m.err;
    EXPECT_TRUE(core->playlist().contains(a)) << "the row is back";
}

// Tag From Name fills the boxes only: Escape then closes without writing.
TEST_F(FrmQTagTest, EscapeClosesWithoutWritingAndTheBoxesFollowTheCore) {
    a = trackWith("Song - Band.mp3", std::nullopt);
    const std::string before = test::readFile(a);
    editSelected([&] {
        dialogs.answers.push_back(Dialogs::Answer::Ok);
        dialog.chkFileAs[TagEditor::UseTitle]->click();
        EXPECT_TRUE(dialog.chkFileAs[TagEditor::UseArtist]->isEnabled());
        EXPECT_TRUE(dialog.txtExample[1]->isEnabled());
        EXPECT_EQ(dialog.txtExample[1]->text().toStdString(), core->tagEditor().proposal());
        dialog.chkFileAs[TagEditor::UseArtist]->click();
        dialog.cmdFromName->click();
        EXPECT_EQ(dialog.cmbMtag[TagEditor::Title]->currentText(), "Song");
        EXPECT_EQ(dialog.cmbMtag[TagEditor::Artist]->currentText(), "Band");
        dialog.cmdSortGenre[dialog.cmdSortGenre[0]->isVisible() ? 0 : 1]->click();
        EXPECT_NE(dialog.cmbGenre->isVisible(), dialog.cmbGenreSort->isVisible());
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    EXPECT_EQ(test::readFile(a), before);
}

// The folder browser's window over the real core.
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

// Select All and Finished, the end-to-end run clicks; Escape is Finished.
TEST_F(FrmFoldersTest, ClicksReachTheBrowserAndTheListsFollowIt) {
    window->show();
    ASSERT_EQ(window->filVoxList->count(), 2);
    QTest::mouseClick(window->filVoxList->viewport(), Qt::LeftButton, {},
                      window->filVoxList->visualItemRect(window->filVoxList->item(1)).center());
    EXPECT_EQ(core->playlist().count(), 1);
    EXPECT_TRUE(core->playlist().contains(folder + "b.mp3"));
    window->cmdSearchAll->click();
    EXPECT_TRUE(window->lstFiles->isVisible());
    EXPECT_FALSE(window->filVoxList->isVisible());
    EXPECT_EQ(window->lstFiles->count(), 3);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
}

} // namespace
} // namespace vantrel
