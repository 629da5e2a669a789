#pragma once

#include <QObject>

#include "engine/mp3_engine.h"

namespace vantrel {

// Delivers a player engine's events on the Qt UI thread: each time events start waiting, the
// engine thread posts one queued call that drains them to the engine's listener.
class QtEventPump {
public:
    // Construct on the UI thread; the engine must outlive the pump.
    explicit QtEventPump(Mp3Engine& engine);
    ~QtEventPump();
    QtEventPump(const QtEventPump&) = delete;
    QtEventPump& operator=(const QtEventPump&) = delete;

private:
    Mp3Engine& engine_;
    // Lives on the UI thread; a queued call on it runs there, and is dropped once it is gone.
    QObject receiver_;
};

} // namespace vantrel
