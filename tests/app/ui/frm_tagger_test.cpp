#include "app/ui/frm_tagger.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMenu>
#include <gtest/gtest.h>

namespace vantrel {
namespace {

struct FrmTaggerTest : ::testing::Test {
    frmTagger window{false};

    template <typename T> T* control(const char* name) {
        T* w = window.findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
};

TEST_F(FrmTaggerTest, ControlsCarryTheirCaptionsAndTooltips) {
    struct Case {
        const char *name, *caption, *tooltip;
    } cases[] = {
        {"cmdPlay0", "&Play", ""},
        {"cmdPlay1", "&Stop", ""},
        {"cmdPlay2", "P&ause", ""},
        {"cmdShutl0", "<", "Back"},
        {"cmdShutl1", ">", "Forward"},
        {"cmdTempo0", "-", "Decrease Speed"},
        {"cmdTempo1", "+", "Increase Speed"},
        {"cmdVolume0", "&Up", ""},
        {"cmdVolume1", "Do&wn", ""},
        {"chkVol0", "R", "Right Speaker Mute"},
        {"chkVol1", "L", "Left Speaker Mute"},
        {"cmdMute", "&M", "Mute or Un-Mute Both L&R"},
        {"chkAutoPlay", "&Auto", "Play List"},
        {"chkPLloop", "&Loop", "Loop List"},
        {"chkPLrand", "&Rnd", "Randomise Play Order in List"},
        {"cmdFade", "Fa&de", "Auto Fade Controls"},
        {"cmdOpenList", "File Searc&h", "Search for and select files to add to Play List View"},
        {"cmdHide", "&Tray", "Hide in System Tray Play Feature"},
        {"cmdListSet", "&Menu", "Shows OPTIONS Menu"},
        {"cmdToglFrm", "Lge", "Toggle Large or Small Display"},
        {"cmdHelp", "Help", ""},
        {"cmdShut", "Close", ""},
    };
    for (const auto& c : cases) {
        auto* b = control<QAbstractButton>(c.name);
        if (!b) continue;
        EXPECT_EQ(b->text(), c.caption) << c.name;
        EXPECT_EQ(b->toolTip(), c.tooltip) << c.name;
    }
    EXPECT_EQ(control<QAbstractButton>("cmdOpnfile")->text(), "About");
    EXPECT_FALSE(control<QAbstractButton>("cmdOpnfile")->toolTip().isEmpty());
    EXPECT_EQ(control<QLineEdit>("txtTempFactor")->toolTip(),
              "Use \"+\" and \"-\" buttons to increase and decrease play speed");
    EXPECT_EQ(control<QLineEdit>("txtFind")->toolTip(),
              "Column to Search is the Sorted Column, click on a Column Header to search from it");
    struct LabelCase {
        const char *name, *text;
    } labels[] = {{"lblTag10", "Volume"},        {"lblCntFmt", "Min : Sec"},
                  {"lblCounter", "00:00"},       {"Label3", "Play List Viewer"},
                  {"lblLstSel", "Selected = 0"}, {"lblLstTotal", "Total = 0"},
                  {"Label1", "Search>"}};
    for (const auto& l : labels)
        EXPECT_EQ(control<QLabel>(l.name)->text(), l.text) << l.name;
    for (int i = 0; i < 10; ++i)
        control<QFrame>(QString("Shape4%1").arg(i).toLatin1());
    for (int i = 0; i < 5; ++i)
        control<QFrame>(QString("Shape1%1").arg(i).toLatin1());
    EXPECT_EQ(window.windowTitle(), "      Quorvane Vantrel");
    EXPECT_FALSE(control<QWidget>("lstFind")->isVisibleTo(&window));
    EXPECT_FALSE(control<QWidget>("lstCols")->isVisibleTo(&window));
}

// The entries of a menu as "name:caption:enabled" lines, separators as "-".
std::string entries(QMenu* menu) {
    QStringList out;
    for (QAction* a : menu->actions())
        out << (a->isSeparator()
                    ? QString("-")
                    : QString("%1:%2:%3%4")
                          .arg(a->objectName(), a->text(), a->isEnabled() ? "on" : "off",
                               a->isVisible() ? "" : ":hidden"));
    return out.join("\n").toStdString();
}
std::string lines(const QStringList& list) {
    return list.join("\n").toStdString();
}

TEST_F(FrmTaggerTest, MenusHoldTheirEntriesInOrder) {
    EXPECT_EQ(entries(window.mnuList),
              lines({"mnuEdLvItm0:&Clear List:on", "mnuEdLvItm1:C&rop Selection:on",
                     "mnuEdLvItm2:Re&move Selection:on", "mnuEdLvItm3:&Invert Selection:on",
                     "mnuProperties:List Stats:on", "-", ":&Files:on", "-",
                     "mnuEdit:Edit ID &Tags:on", "-", ":&Preferences:on"}));
    EXPECT_EQ(entries(window.mnuFile),
              lines({"mnuSaveAs:&Save Playlist AS:on", "mnuOpenPlay0:&Open PlayList:on",
                     "mnuOpenPlay1:Open in &New Player:on",
                     "mnuFileProp:File Properties:off:hidden", "-", "mnuMRUitm0::off:hidden"}));
    EXPECT_EQ(
        entries(window.mnuGenOpts),
        lines({"mnuGenOpt:General Settings:on", "mnuBannerOpt:Tray Banner Settings:on",
               "mnuSoundOpt:Sound Output Settings:on", "mnuListOpt:List Viewer Settings:on"}));
    EXPECT_EQ(
        entries(window.mnuTray),
        lines({"mnuPlayer0:&Play:off", "mnuPlayer1:&Stop:off", "mnuPlayer2:P&ause:off",
               "mnuMute:&Mute:on", "mnuHiddenOpts0:S&how Main:on", "mnuHiddenOpts1:&Close:on"}));
    EXPECT_EQ(entries(window.mnuFade),
              lines({"mnuFadeStop:Manual Fade OUT and Stop:off", "-",
                     "mnuFadeHold:One Touch Up/Down:on", "mnuFadeDir0:Auto Fade IN:on",
                     "mnuFadeDir1:Auto Fade OUT:off", "-", "mnuFadeSet:Fade Settings:on"}));
}

TEST_F(FrmTaggerTest, LayoutsSetHeightAndPlaylistVisibility) {
    window.applyLayout(304, true, true, MainLayout::Shape::Square);
    EXPECT_EQ(window.height(), 304);
    EXPECT_TRUE(window.ListView1->isVisibleTo(&window));
    window.applyLayout(89, false, false, MainLayout::Shape::Square);
    EXPECT_EQ(window.height(), 89);
    EXPECT_FALSE(window.ListView1->isVisibleTo(&window));
    EXPECT_FALSE(window.ShapeBorder->isVisibleTo(&window));
    window.applyLayout(99, false, false, MainLayout::Shape::Rounded);
    EXPECT_FALSE(window.mask().isEmpty());
    EXPECT_FALSE(window.mask().contains(QPoint(1, 1))) << "the rounded shape cuts the corner";
    EXPECT_TRUE(window.mask().contains(QPoint(frmTagger::kWidth / 2, 50)));
}

TEST_F(FrmTaggerTest, EveryWayOfClosingUnloadsOnce) {
    int unloads = 0;
    window.onUnload = [&] { ++unloads; };
    window.show();
    window.close();
    window.close();
    EXPECT_EQ(unloads, 1);
}

} // namespace
} // namespace vantrel
