#include "playback/ui/transport_binding.h"

#include <QKeyEvent>
#include <QTimer>

#include <cmath>

namespace vantrel {

TransportBinding::TransportBinding(const TransportControls& controls, Transport& transport,
                                   TrackSequencer& sequencer, TimeDisplay& display, QObject* parent)
    : QObject(parent), c_(controls), transport_(transport), sequencer_(sequencer),
      display_(display) {
    for (int i = 0; i < 3; ++i)
        connect(c_.cmdPlay[i], &QPushButton::clicked, this, [this, i] { transport_.cmdPlay(i); });
    for (int i = 0; i < 2; ++i) {
        connect(c_.cmdTempo[i], &QPushButton::clicked, this, [this, i] { transport_.cmdTempo(i); });
        connect(c_.chkVol[i], &QCheckBox::clicked, this,
                [this, i](bool on) { transport_.chkVol(i, on); });
        c_.cmdShutl[i]->installEventFilter(this);
    }
    c_.cmdPlay[1]->installEventFilter(this);
    c_.ListView1->installEventFilter(this);
    connect(c_.cmdMute, &QPushButton::clicked, this, [this] { transport_.cmdMute(); });
    connect(c_.chkAutoPlay, &QCheckBox::clicked, this,
            [this](bool on) { transport_.setAutoPlay(on); });
    connect(c_.chkPLloop, &QCheckBox::clicked, this, [this](bool on) { sequencer_.setLoop(on); });
    connect(c_.chkPLrand, &QCheckBox::clicked, this, [this](bool on) { sequencer_.setRandom(on); });
    c_.txtTempFactor->setReadOnly(true);
    connections_.push_back(transport_.busy.connect([this](bool on) { setBusy(on); }));
    connections_.push_back(transport_.changed.connect([this] { renderTransport(); }));
    connections_.push_back(sequencer_.changed.connect([this] { renderTransport(); }));
    connections_.push_back(display_.changed.connect([this] { renderTime(); }));
    renderTransport();
    renderTime();
}

TransportBinding::~TransportBinding() {
    setBusy(false);
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
    if (watched == c_.ListView1) {
        if (!key) return false;
        if (down) transport_.cmdPlay(0);
        return true;
    }
    if (!key) {
        held(watched, down);
        return false;
    }
    // X repeats a held key as a release and a press with the same time, not always marked as
    // repeats. A release therefore waits until the events already queued have run; a press at
    // its time pairs with it, and the key counts as held throughout.
    const ulong time = static_cast<QKeyEvent*>(event)->timestamp();
    if (!down) {
        pendingRelease_ = {watched, time};
        QTimer::singleShot(0, this, [this, watched, time] {
            if (pendingRelease_.watched != watched || pendingRelease_.time != time) return;
            pendingRelease_ = {};
            held(watched, false);
        });
    } else if (pendingRelease_.watched == watched && pendingRelease_.time == time) {
        pendingRelease_ = {};
    } else {
        held(watched, true);
    }
    return false;
}

void TransportBinding::held(QObject* watched, bool down) {
    if (watched == c_.cmdPlay[1]) {
        transport_.stopHeld(down);
    } else if (watched == c_.cmdShutl[0] || watched == c_.cmdShutl[1]) {
        if (down)
            transport_.shuttlePress(watched == c_.cmdShutl[0] ? 0 : 1);
        else
            transport_.shuttleRelease();
    }
}

void TransportBinding::setBusy(bool busy) {
    if (busy == busy_) return;
    busy_ = busy;
    // On the main window only: a message box shown meanwhile keeps the normal pointer.
    QWidget* window = c_.cmdPlay[0]->window();
    if (busy)
        window->setCursor(Qt::WaitCursor);
    else
        window->unsetCursor();
}

void TransportBinding::renderTransport() {
    const Transport& t = transport_;
    const bool enabled[3] = {t.playEnabled(), t.stopEnabled(), t.pauseEnabled()};
    for (int i = 0; i < 3; ++i)
        c_.cmdPlay[i]->setEnabled(enabled[i]);
    for (QPushButton* b : c_.cmdShutl)
        b->setEnabled(t.shuttleEnabled());
    for (int i = 0; i < 5; ++i)
        c_.Shape1[i]->setLit(t.light(i));
    const char* line = t.lineColour() == Transport::LineColour::Green    ? "#00ff00"
                       : t.lineColour() == Transport::LineColour::Yellow ? "#ffff00"
                                                                         : "#0000ff";
    // The track frame's border style would otherwise swallow the 2-pixel line.
    c_.linePlay->setStyleSheet(QString("background: %1; border: none;").arg(line));
    c_.chkAutoPlay->setChecked(t.autoPlay());
    c_.chkPLloop->setChecked(sequencer_.loop());
    c_.chkPLrand->setChecked(sequencer_.random());
    c_.chkVol[0]->setChecked(t.muted(0));
    c_.chkVol[1]->setChecked(t.muted(1));
    c_.txtTempFactor->setText(QString::fromStdString(t.txtTempFactor()));
    if (transport_.takeFocusRequest()) c_.cmdPlay[0]->setFocus();
}

void TransportBinding::renderTime() {
    c_.lblCounter->setText(QString::fromStdString(display_.lblCounter()));
    const int x2 = static_cast<int>(std::lround(display_.lineFraction() * c_.trackLength));
    c_.linePlay->setGeometry(2, c_.linePlay->y(), x2, c_.linePlay->height());
    c_.ShapeLinLead->move(2 + x2, c_.ShapeLinLead->y());
    c_.ShapeLinLead->setVisible(display_.leadVisible());
}

} // namespace vantrel
