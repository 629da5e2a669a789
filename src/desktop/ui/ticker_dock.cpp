#include "desktop/ui/ticker_dock.h"

#include "desktop/ui/frm_ticker.h"
#include "desktop/ui/program_icon.h"

namespace vantrel {

TickerDock::TickerDock(QWidget& mainWindow, Ticker& ticker, QMenu& mnuTray,
                       std::function<std::string()> tooltip, QObject* parent)
    : QObject(parent), main_(mainWindow), ticker_(ticker), mnuTray_(mnuTray),
      tooltip_(std::move(tooltip)) {}

TickerDock::~TickerDock() {
    undockTicker();
}

void TickerDock::dockTicker() {
    main_.hide();
    // Docking again starts a fresh strip, with the options of now.
    undockTicker();
    strip_ = new frmTicker(ticker_, mnuTray_, tooltip_);
    strip_->setAttribute(Qt::WA_DeleteOnClose);
    strip_->show();
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        icon_ = new QSystemTrayIcon(programIcon(), this);
        icon_->setContextMenu(&mnuTray_);
        icon_->setToolTip(QString::fromStdString(ticker_.tickerText()));
        connect(icon_, &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason why) {
                    if (why == QSystemTrayIcon::Trigger || why == QSystemTrayIcon::DoubleClick)
                        showMain();
                });
        icon_->show();
    }
}

void TickerDock::undockTicker() {
    if (icon_) {
        icon_->hide();
        icon_->setContextMenu(nullptr);
        delete icon_;
        icon_ = nullptr;
    }
    if (strip_) delete strip_.data();
}

void TickerDock::showMain() {
    undockTicker();
    main_.showNormal();
    main_.raise();
    main_.activateWindow();
}

void TickerDock::closeMain() {
    undockTicker();
    main_.close();
}

} // namespace vantrel
