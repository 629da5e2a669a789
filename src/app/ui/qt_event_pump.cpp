#include "app/ui/qt_event_pump.h"

#include <QMetaObject>

namespace vantrel {

QtEventPump::QtEventPump(Mp3Engine& engine) : engine_(engine) {
    engine_.setWakeUp([this] {
        QMetaObject::invokeMethod(
            &receiver_, [this] { engine_.deliverEvents(); }, Qt::QueuedConnection);
    });
}

QtEventPump::~QtEventPump() {
    // Returns only when no wake-up is running, so none can reach the receiver after this.
    engine_.setWakeUp(nullptr);
}

} // namespace vantrel
