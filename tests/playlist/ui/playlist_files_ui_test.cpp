// The find field and the list settings dialog on the real window, wired to the core.
#include "app/core_rig.h"
#include "app/ui/frm_tagger.h"
#include "playback/ui/tray_menu.h"
#include "playlist/ui/frm_search.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace vantrel {
namespace {

struct FindFieldTest : ::testing::Test, test::CoreRig {
    std::unique_ptr<TaggerCore> core = make();
    TrayMenu tray{core->transport()};
    frmTagger window{false};
    QLineEdit* txtFind = nullptr;

    void SetUp() override {
        core->load();
        window.bind(*core, tray);
        window.show();
        for (const char* title : {"Charlie", "Alpha", "Bravo", "Beta"})
            core->GetListTag(track(std::string(title) + ".mp3", title));
        core->playlist().refilLst();
        txtFind = window.findChild<QLineEdit*>("txtFind");
        ASSERT_NE(txtFind, nullptr);
    }
};

TEST_F(FindFieldTest, KeyReleasesCompleteAndSelectBackspaceLeavesTheText) {
    QTest::keyClicks(txtFind, "b");
    EXPECT_EQ(txtFind->text(), "Beta");
    EXPECT_EQ(txtFind->selectedText(), "eta");
    QTest::keyClick(txtFind, Qt::Key_Backspace);
    EXPECT_EQ(txtFind->text(), "B") << "as the user edited it";
    EXPECT_TRUE(txtFind->selectedText().isEmpty());
    EXPECT_EQ(core->playlist().curFile(), folder + "Beta.mp3");
}

struct SettingsDialogTest : ::testing::Test, test::CoreRig {
    std::unique_ptr<TaggerCore> core = make();
    ListSettings& settings = core->files().listSettings();
    frmSearch dialog{settings};

    void SetUp() override {
        core->load();
        settings.open();
    }
    QString entry(int row) { return dialog.lstLvCol->item(row)->text(); }
};

// Where the moves stop and what OK stores is the core's; here the buttons reach it.
TEST_F(SettingsDialogTest, MovesAndOkReachTheSettingsAndARefusalKeepsTheDialogOpen) {
    const QString first = entry(0), second = entry(1);
    dialog.lstLvCol->setCurrentRow(0);
    dialog.cmdMove[1]->click();
    EXPECT_EQ(entry(0), second);
    EXPECT_EQ(entry(1), first);
    EXPECT_EQ(dialog.lstLvCol->currentRow(), 1) << "the moved entry stays highlighted";
    for (int i = 0; i < dialog.lstLvCol->count(); ++i)
        dialog.lstLvCol->item(i)->setCheckState(Qt::Unchecked);
    dialog.show();
    dialog.cmdOK->click();
    EXPECT_TRUE(dialog.isVisible());
    dialog.lstLvCol->item(3)->setCheckState(Qt::Checked);
    dialog.cmdOK->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(core->playlist().columnCount(), 1);
}

} // namespace
} // namespace vantrel
