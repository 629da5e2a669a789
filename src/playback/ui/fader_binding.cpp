#include "playback/ui/fader_binding.h"

#include "app/ui/frm_tagger.h"
#include "playback/fader_settings.h"
#include "playback/ui/frm_fader.h"

#include <QCursor>
#include <QKeyEvent>
#include <QPointer>

namespace vantrel {

namespace {

const char* const kLit = "background: #40ff40;";
const char* const kDark = "background: #303030;";

} // namespace

FaderBinding::FaderBinding(frmTagger& window, Fader& fader, const IniStore& ini)
    : QObject(&window), window_(window), fader_(fader), ini_(ini) {
    for (QPushButton* b : window_.cmdVolume)
        b->installEventFilter(this);
    connect(window_.cmdFade, &QPushButton::clicked, this,
            [this] { window_.mnuFade->popup(QCursor::pos()); });
    connectMenu();
    fader_.onChange([self = QPointer<FaderBinding>(this)] {
        if (self) self->render();
    });
    render();
}

void FaderBinding::connectMenu() {
    window_.mnuFadeStop->setCheckable(true);
    connect(window_.mnuFadeStop, &QAction::triggered, this, [this] { fader_.mnuFadeStop_Click(); });
    connect(window_.mnuFadeHold, &QAction::triggered, this, [this] { fader_.mnuFadeHold_Click(); });
    for (int i = 0; i < 2; ++i)
        connect(window_.mnuFadeDir[i], &QAction::triggered, this,
                [this, i] { fader_.mnuFadeDir_Click(i); });
    connect(window_.mnuFadeSet, &QAction::triggered, this, [this] { openSettings(); });
}

void FaderBinding::openSettings() {
    FaderSettings settings(fader_, ini_);
    frmFader dialog(settings, &window_);
    dialog.exec();
}

bool FaderBinding::eventFilter(QObject* watched, QEvent* event) {
    int index = watched == window_.cmdVolume[0] ? 0 : watched == window_.cmdVolume[1] ? 1 : -1;
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
        window_.Shape4[i]->setStyleSheet(meter[i] ? kLit : kDark);
    const Fader::MenuState& m = fader_.menu();
    window_.mnuFadeStop->setEnabled(m.stopEnabled);
    window_.mnuFadeStop->setChecked(m.stopChecked);
    window_.mnuFadeHold->setChecked(m.holdChecked);
    window_.mnuFadeDir[0]->setChecked(m.inChecked);
    window_.mnuFadeDir[1]->setEnabled(m.outEnabled);
    window_.mnuFadeDir[1]->setChecked(m.outChecked);
}

} // namespace vantrel
