#pragma once

#include "base/signal.h"
#include "playback/fader.h"
#include "settings/ini_store.h"
#include "ui/lamp.h"

#include <QAction>
#include <QMenu>
#include <QObject>
#include <QPushButton>

#include <array>

namespace vantrel {

// The window's controls the fader drives; the window owns them.
struct FaderControls {
    QWidget* window = nullptr; // the settings dialog's parent
    std::array<QPushButton*, 2> cmdVolume{};
    QPushButton* cmdFade = nullptr;
    QMenu* mnuFade = nullptr;
    QAction* mnuFadeStop = nullptr;
    QAction* mnuFadeHold = nullptr;
    std::array<QAction*, 2> mnuFadeDir{};
    QAction* mnuFadeSet = nullptr;
    std::array<Lamp*, 10> Shape4{}; // the level meter, bottom first
};

// Wires the fader controls to the Fader: the volume buttons' presses and releases, "Fa&de"
// with its menu, the level meter, and "Fade Settings".
class FaderBinding : public QObject {
    Q_OBJECT

public:
    FaderBinding(const FaderControls& controls, Fader& fader, const IniStore& ini,
                 QObject* parent = nullptr);

    // Redraws the meter and the menu's checks from the fader.
    void render();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectMenu();
    void openSettings();

    FaderControls c_;
    Fader& fader_;
    const IniStore& ini_;
    bool keyHeld_ = false;
    Connections connections_;
};

} // namespace vantrel
