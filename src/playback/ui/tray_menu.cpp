#include "playback/ui/tray_menu.h"

namespace vantrel {

TrayMenu::TrayMenu(Transport& transport, QWidget* parent)
    : QMenu("Tray", parent), transport_(transport) {
    setObjectName("mnuTray");
    auto entry = [this](const QString& name, const QString& caption) {
        QAction* a = addAction(caption);
        a->setObjectName(name);
        return a;
    };
    const char* players[] = {"&Play", "&Stop", "P&ause"};
    for (int i = 0; i < 3; ++i) {
        mnuPlayer[i] = entry(QString("mnuPlayer%1").arg(i), players[i]);
        connect(mnuPlayer[i], &QAction::triggered, this, [this, i] { transport_.mnuPlayer(i); });
    }
    mnuMute = entry("mnuMute", "&Mute");
    connect(mnuMute, &QAction::triggered, this, [this] { transport_.cmdMute(); });
    mnuHiddenOpts[0] = entry("mnuHiddenOpts0", "S&how Main");
    mnuHiddenOpts[1] = entry("mnuHiddenOpts1", "&Close");
    connect(mnuHiddenOpts[0], &QAction::triggered, this, &TrayMenu::showMainRequested);
    connect(mnuHiddenOpts[1], &QAction::triggered, this, &TrayMenu::closeRequested);
    connections_.push_back(transport_.changed.connect([this] { render(); }));
    render();
}

void TrayMenu::render() {
    const bool enabled[3] = {transport_.playEnabled(), transport_.stopEnabled(),
                             transport_.pauseEnabled()};
    for (int i = 0; i < 3; ++i)
        mnuPlayer[i]->setEnabled(enabled[i]);
    mnuMute->setText(QString::fromStdString(transport_.mnuMuteCaption()));
}

} // namespace vantrel
