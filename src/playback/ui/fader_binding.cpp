#include "playback/ui/fader_binding.h"

#include "playback/fader_settings.h"
#include "playback/ui/frm_fader.h"

#include <QCursor>
#include <QKeyEvent>

namespace vantrel {

FaderBinding::FaderBinding(const FaderControls& controls, Fader& fader, const IniStore& ini,
                           QObject* parent)
    : QObject(parent), c_(controls), fader_(fader), ini_(ini) {
    for (QPushButton* b : c_.cmdVolume)
        b->installEventFilter(this);
    connect(c_.cmdFade, &QPushButton::clicked, this, [this] { c_.mnuFade->popup(QCursor::pos()); });
    connectMenu();
    connections_.push_back(fader_.changed.connect([this] { render(); }));
    render();
}

void FaderBinding::connectMenu() {
    c_.mnuFadeStop->setCheckable(true);
    connect(c_.mnuFadeStop, &QAction::triggered, this, [this] { fader_.mnuFadeStop_Click(); });
    connect(c_.mnuFadeHold, &QAction::triggered, this, [this] { fader_.mnuFadeHold_Click(); });
    for (int i = 0; i < 2; ++i)
        connect(c_.mnuFadeDir[i], &QAction::triggered, this,
                [this, i] { fader_.mnuFadeDir_Click(i); });
    connect(c_.mnuFadeSet, &QAction::triggered, this, [this] { openSettings(); });
}

void FaderBinding::openSettings() {
    FaderSettings settings(fader_, ini_);
    frmFader dialog(settings, c_.window);
    dialog.exec();
}

bool FaderBinding::eventFilter(QObject* watched, QEvent* event) {
    int index = watched == c_.cmdVolume[0] ? 0 : watched == c_.cmdVolume[1] ? 1 : -1;
    if (index < 0) return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        fader_.volumePressed(index, false);
        break;
    case QEvent::MouseButtonRelease:
        fader_.volumeReleased();
        break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        auto* key = static_cast<QKeyEvent*>(event);
        // A held key repeats; only its first press and last release count. Tab moves the
        // focus away and never reaches the button as a key of its own.
        if (key->isAutoRepeat() || key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
            break;
        keyHeld_ = event->type() == QEvent::KeyPress;
        if (keyHeld_)
            fader_.volumePressed(index, true);
        else
            fader_.volumeReleased();
        break;
    }
    case QEvent::FocusOut:
        // The key's release would go to another control and leave the ramp running.
        if (keyHeld_) {
            keyHeld_ = false;
            fader_.volumeReleased();
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void FaderBinding::render() {
    const auto& meter = fader_.meter();
    for (int i = 0; i < 10; ++i)
        c_.Shape4[i]->setLit(meter[i]);
    const Fader::MenuState& m = fader_.menu();
    c_.mnuFadeStop->setEnabled(m.stopEnabled);
    c_.mnuFadeStop->setChecked(m.stopChecked);
    c_.mnuFadeHold->setChecked(m.holdChecked);
    c_.mnuFadeDir[0]->setChecked(m.inChecked);
    c_.mnuFadeDir[1]->setEnabled(m.outEnabled);
    c_.mnuFadeDir[1]->setChecked(m.outChecked);
}

} // namespace vantrel
