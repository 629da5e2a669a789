#include "desktop/ui/frm_banner_opt.h"
#include "desktop/ui/frm_ticker.h"
#include "desktop/ui/ticker_dock.h"
#include "looks/ui/frm_option.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace vantrel {
namespace {

template <typename T> T* control(QWidget& dialog, const char* name) {
    T* found = dialog.findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
}

TEST(frmBannerOpt, ControlsReachTheOptionsAndCancelWritesNothing) {
    test::TempDir dir;
    IniStore ini(dir / "vantrel.ini");
    test::ScriptedDialogs dialogs;
    Ticker ticker;
    BannerOptions options(ticker, ini, dialogs);
    frmBannerOpt dialog(options);

    control<QRadioButton>(dialog, "optShowBan0")->setChecked(true);
    EXPECT_FALSE(control<QCheckBox>(dialog, "chkShowBan2")->isEnabled());
    control<QRadioButton>(dialog, "optShowBan1")->setChecked(true);
    EXPECT_TRUE(control<QCheckBox>(dialog, "chkShowBan3")->isEnabled());
    const QString before = control<QLabel>(dialog, "lblScrollSpeed")->text();
    control<QScrollBar>(dialog, "HScroll1")->setValue(-4);
    EXPECT_EQ(ticker.settings().traySpeed, -4);
    EXPECT_NE(control<QLabel>(dialog, "lblScrollSpeed")->text(), before);

    control<QPushButton>(dialog, "cmdCancel")->click();
    EXPECT_FALSE(std::filesystem::exists(dir / "vantrel.ini"));
}

struct CountingTarget : LooksTarget {
    int edges = 0;
    bool loadPicture(const std::string&) override { return false; }
    void showPicture(bool) override {}
    void setTopmost(bool) override {}
    void setEdge(std::uint32_t, bool) override { ++edges; }
    void setFrames(std::uint32_t) override {}
};

TEST(frmOption, NoImageLocksThePictureBoxAndOkApplies) {
    test::TempDir dir;
    IniStore ini(dir / "vantrel.ini");
    test::ScriptedDialogs dialogs;
    Looks looks(ini, dialogs, dir.path().string() + "/", false);
    CountingTarget target;
    frmOption dialog(looks, target);
    bool cleared = false;
    dialog.clearMruList = [&] { cleared = true; };

    control<QCheckBox>(dialog, "chkNoImage")->setChecked(true);
    EXPECT_FALSE(control<QLineEdit>(dialog, "txtImgBack")->isEnabled());
    EXPECT_FALSE(control<QPushButton>(dialog, "cmdImgBr")->isEnabled());
    control<QPushButton>(dialog, "cmdMRUcl")->click();
    EXPECT_TRUE(cleared);
    control<QPushButton>(dialog, "cmdOK")->click();
    EXPECT_EQ(target.edges, 1);
    EXPECT_EQ(ini.getIni("looks", "back_img"), "na");
}

TEST(TickerDock, ADockedStripIsOneAndShowMainUndocks) {
    QWidget main;
    main.show();
    QMenu menu;
    Ticker ticker;
    TickerDock dock(main, ticker, menu, [] { return std::string("status"); });

    // Where the strip shows and what hides or shows with it, the end-to-end run checks.
    dock.dockTicker();
    dock.dockTicker(); // docking again leaves one strip
    ASSERT_TRUE(dock.docked());
    frmTicker* strip = dock.strip();
    // Each strip prints once as it opens; the position runs on across docks, so it is at 2.
    EXPECT_EQ(strip->printedLine().toStdString(), ticker.tickerText().substr(1) + " *");
    EXPECT_EQ(strip->toolTip(), "status");
    dock.showMain();
    EXPECT_FALSE(dock.docked());
}

} // namespace
} // namespace vantrel
