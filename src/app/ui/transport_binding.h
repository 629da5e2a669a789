#pragma once

#include <QObject>

namespace vantrel {

class frmTagger;
class TaggerCore;

// Wires the main window's playing controls to the transport, the sequencing boxes and the time
// display: clicks, the held Stop and shuttle buttons, the space bar on the list, and the
// rendering of buttons, lights, line, counter and boxes. Lives as a child of the window.
class TransportBinding : public QObject {
    Q_OBJECT

public:
    TransportBinding(frmTagger& window, TaggerCore& core);

protected:
    // Mouse buttons and the space bar held on Stop and on the shuttle buttons, and the space
    // bar on the list, which presses Play.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void renderTransport();
    void renderTime();
    void setBusy(bool busy);

    frmTagger& w_;
    TaggerCore& core_;
    bool busy_ = false;
};

} // namespace vantrel
