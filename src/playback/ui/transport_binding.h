#pragma once

#include "base/signal.h"
#include "playback/time_display.h"
#include "playback/track_sequencer.h"
#include "playback/transport.h"
#include "ui/lamp.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QObject>
#include <QPushButton>

#include <array>

namespace vantrel {

// The window's playing controls; the window owns them.
struct TransportControls {
    std::array<QPushButton*, 3> cmdPlay{};
    std::array<QPushButton*, 2> cmdShutl{};
    std::array<QPushButton*, 2> cmdTempo{};
    QLineEdit* txtTempFactor = nullptr;
    std::array<QCheckBox*, 2> chkVol{};
    QPushButton* cmdMute = nullptr;
    std::array<Lamp*, 5> Shape1{};
    QFrame* linePlay = nullptr;
    QFrame* ShapeLinLead = nullptr;
    int trackLength = 0; // the progress line's full length in pixels
    QLabel* lblCounter = nullptr;
    QCheckBox* chkAutoPlay = nullptr;
    QCheckBox* chkPLloop = nullptr;
    QCheckBox* chkPLrand = nullptr;
    QWidget* ListView1 = nullptr; // the space bar on it presses Play
};

// Wires the playing controls to the transport, the sequencing boxes and the time display:
// clicks, the held Stop and shuttle buttons, the space bar on the list, and the rendering of
// buttons, lights, line, counter and boxes.
class TransportBinding : public QObject {
    Q_OBJECT

public:
    TransportBinding(const TransportControls& controls, Transport& transport,
                     TrackSequencer& sequencer, TimeDisplay& display, QObject* parent = nullptr);
    ~TransportBinding() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void held(QObject* watched, bool down);
    void renderTransport();
    void renderTime();
    void setBusy(bool busy);

    TransportControls c_;
    Transport& transport_;
    TrackSequencer& sequencer_;
    TimeDisplay& display_;
    bool busy_ = false;
    struct {
        QObject* watched = nullptr;
        ulong time = 0;
    } pendingRelease_;
    Connections connections_;
};

} // namespace vantrel
