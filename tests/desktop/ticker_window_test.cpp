#include "desktop/ui/frm_ticker.h"
#include "desktop/ui/ticker_dock.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>

namespace vantrel {
namespace {

TEST(TickerDock, TrayHidesTheMainWindowBehindTheStripAndShowMainUndocks) {
    QWidget main;
    main.show();
    QMenu menu;
    Ticker ticker;
    TickerDock dock(main, ticker, menu, [] { return std::string("status"); });

    dock.dockTicker();
    dock.dockTicker(); // docking again leaves one strip
    ASSERT_TRUE(dock.docked());
    EXPECT_FALSE(main.isVisible());
    frmTicker* strip = dock.strip();
    EXPECT_TRUE(strip->isVisible());
    // Each strip prints once as it opens; the position runs on across docks, so it is at 2.
    EXPECT_EQ(strip->printedLine().toStdString(), ticker.tickerText().substr(1) + " *");
    EXPECT_EQ(strip->toolTip(), "status");
    EXPECT_EQ(strip->geometry().bottomRight(),
              QGuiApplication::primaryScreen()->availableGeometry().bottomRight());

    dock.showMain();
    EXPECT_FALSE(dock.docked());
    EXPECT_TRUE(main.isVisible());
}

} // namespace
} // namespace vantrel
