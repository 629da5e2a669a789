#pragma once

#include "desktop/ticker.h"
#include "desktop/ui/frm_ticker.h"

#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>

#include <functional>
#include <memory>

namespace vantrel {

// "&Tray" and back: hides the main window behind the ticker strip (and a status-notifier icon
// where the desktop has one, so the program is found again when a panel covers the strip), and
// takes the ticker away before the main window shows or closes.
class TickerDock : public QObject {
    Q_OBJECT

public:
    TickerDock(QWidget& mainWindow, Ticker& ticker, QMenu& mnuTray,
               std::function<std::string()> tooltip, QObject* parent = nullptr);
    ~TickerDock() override;

    bool docked() const { return !strip_.isNull(); }
    frmTicker* strip() const { return strip_.data(); }

public slots:
    // cmdHide: hide the main window and show the ticker.
    void dockTicker();
    // Takes the ticker away; nothing else.
    void undockTicker();
    // Show the main window (undocking first): the tray menu's "S&how Main", and whoever else
    // asks the program to come to the front.
    void showMain();
    // The tray menu's "&Close": undock, then the main window's normal close.
    void closeMain();

private:
    QWidget& main_;
    Ticker& ticker_;
    QMenu& mnuTray_;
    std::function<std::string()> tooltip_;
    QPointer<frmTicker> strip_;
    QSystemTrayIcon* icon_ = nullptr;
};

} // namespace vantrel
