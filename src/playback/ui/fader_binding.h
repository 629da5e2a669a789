#pragma once

#include "playback/fader.h"
#include "settings/ini_store.h"

#include <QObject>

namespace vantrel {

class frmTagger;

// Wires the main window's fader controls to the Fader: the volume buttons' presses and
// releases, "Fa&de" with its menu, the level meter, and "Fade Settings". Lives as a child of
// the window.
class FaderBinding : public QObject {
    Q_OBJECT

public:
    FaderBinding(frmTagger& window, Fader& fader, const IniStore& ini);

    // Redraws the meter and the menu's checks from the fader.
    void render();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectMenu();
    void openSettings();

    frmTagger& window_;
    Fader& fader_;
    const IniStore& ini_;
    bool keyHeld_ = false;
};

} // namespace vantrel
