#include "app/ui/transport_binding.h"

#include "app/tagger_core.h"
#include "app/ui/frm_tagger.h"

#include <QApplication>
#include <QKeyEvent>

#include <cmath>

namespace vantrel {

TransportBinding::TransportBinding(frmTagger& window, TaggerCore& core)
    : QObject(&window), w_(window), core_(core) {
    Transport& transport = core_.transport();
    for (int i = 0; i < 3; ++i) {
        connect(w_.cmdPlay[i], &QPushButton::clicked, this,
                [this, i] { core_.transport().cmdPlay(i); });
        connect(w_.mnuPlayer[i], &QAction::triggered, this,
                [this, i] { core_.transport().mnuPlayer(i); });
    }
    for (int i = 0; i < 2; ++i) {
        connect(w_.cmdTempo[i], &QPushButton::clicked, this,
                [this, i] { core_.transport().cmdTempo(i); });
        connect(w_.chkVol[i], &QCheckBox::clicked, this,
                [this, i](bool on) { core_.transport().chkVol(i, on); });
        w_.cmdShutl[i]->installEventFilter(this);
    }
    w_.cmdPlay[1]->installEventFilter(this);
    w_.ListView1->installEventFilter(this);
    connect(w_.cmdMute, &QPushButton::clicked, this, [this] { core_.transport().cmdMute(); });
    connect(w_.mnuMute, &QAction::triggered, this, [this] { core_.transport().cmdMute(); });
    connect(w_.chkAutoPlay, &QCheckBox::clicked, this,
            [this](bool on) { core_.transport().setAutoPlay(on); });
    connect(w_.chkPLloop, &QCheckBox::clicked, this,
            [this](bool on) { core_.sequencer().setLoop(on); });
    connect(w_.chkPLrand, &QCheckBox::clicked, this,
            [this](bool on) { core_.sequencer().setRandom(on); });
    w_.txtTempFactor->setReadOnly(true);
    transport.setHooks({[this](bool on) { setBusy(on); }, nullptr});
    transport.onChange([this] { renderTransport(); });
    core_.sequencer().onChange([this] { renderTransport(); });
    core_.timeDisplay().onChange([this] { renderTime(); });
    renderTransport();
    renderTime();
}

bool TransportBinding::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const bool key = type == QEvent::KeyPress || type == QEvent::KeyRelease;
    if (key) {
        auto* k = static_cast<QKeyEvent*>(event);
        if (k->key() != Qt::Key_Space || k->isAutoRepeat()) return false;
    } else if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease) {
        return false;
    }
    const bool down = type == QEvent::KeyPress || type == QEvent::MouseButtonPress;
    Transport& transport = core_.transport();
    if (watched == w_.ListView1) {
        if (!key) return false;
        if (down) transport.cmdPlay(0);
        return true;
    }
    if (watched == w_.cmdPlay[1]) {
        transport.stopHeld(down);
    } else if (watched == w_.cmdShutl[0] || watched == w_.cmdShutl[1]) {
        if (down)
            transport.shuttlePress(watched == w_.cmdShutl[0] ? 0 : 1);
        else
            transport.shuttleRelease();
    }
    return false;
}

void TransportBinding::setBusy(bool busy) {
    if (busy == busy_) return;
    busy_ = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void TransportBinding::renderTransport() {
    const Transport& t = core_.transport();
    const bool enabled[3] = {t.playEnabled(), t.stopEnabled(), t.pauseEnabled()};
    for (int i = 0; i < 3; ++i) {
        w_.cmdPlay[i]->setEnabled(enabled[i]);
        w_.mnuPlayer[i]->setEnabled(enabled[i]);
    }
    for (QPushButton* b : w_.cmdShutl)
        b->setEnabled(t.shuttleEnabled());
    static const char* const lit[5] = {"#00ff00", "#ff0000", "#ffff00", "#0000ff", "#0000ff"};
    for (int i = 0; i < 5; ++i)
        w_.Shape1[i]->setStyleSheet(
            QString("background: %1; border-radius: 4px;").arg(t.light(i) ? lit[i] : "#303030"));
    const char* line = t.lineColour() == Transport::LineColour::Green    ? "#00ff00"
                       : t.lineColour() == Transport::LineColour::Yellow ? "#ffff00"
                                                                         : "#0000ff";
    // The track frame's border style would otherwise swallow the 2-pixel line.
    w_.linePlay->setStyleSheet(QString("background: %1; border: none;").arg(line));
    w_.chkAutoPlay->setChecked(t.autoPlay());
    w_.chkPLloop->setChecked(core_.sequencer().loop());
    w_.chkPLrand->setChecked(core_.sequencer().random());
    w_.chkVol[0]->setChecked(t.muted(0));
    w_.chkVol[1]->setChecked(t.muted(1));
    w_.txtTempFactor->setText(QString::fromStdString(t.txtTempFactor()));
    w_.mnuMute->setText(QString::fromStdString(t.mnuMuteCaption()));
    if (core_.transport().takeFocusRequest()) w_.cmdPlay[0]->setFocus();
}

void TransportBinding::renderTime() {
    const TimeDisplay& d = core_.timeDisplay();
    w_.lblCounter->setText(QString::fromStdString(d.lblCounter()));
    const int x2 = static_cast<int>(std::lround(d.lineFraction() * frmTagger::kTrackLength));
    w_.linePlay->setGeometry(2, w_.linePlay->y(), x2, w_.linePlay->height());
    w_.ShapeLinLead->move(2 + x2, w_.ShapeLinLead->y());
    w_.ShapeLinLead->setVisible(d.leadVisible());
}

} // namespace vantrel
