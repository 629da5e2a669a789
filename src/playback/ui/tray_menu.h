#pragma once

#include "base/signal.h"
#include "playback/transport.h"

#include <QAction>
#include <QMenu>

#include <array>

namespace vantrel {

// The "Tray" pop-up menu: the player's Play, Stop and Pause, Mute, and the window's Show and
// Close. Whoever shows the menu (the main window, the ticker) needs only this class.
class TrayMenu : public QMenu {
    Q_OBJECT

public:
    explicit TrayMenu(Transport& transport, QWidget* parent = nullptr);

signals:
    void showMainRequested(); // mnuHiddenOpts(0)
    void closeRequested();    // mnuHiddenOpts(1)

private:
    void render();

    Transport& transport_;
    std::array<QAction*, 3> mnuPlayer{};
    QAction* mnuMute = nullptr;
    std::array<QAction*, 2> mnuHiddenOpts{};
    Connections connections_;
};

} // namespace vantrel
