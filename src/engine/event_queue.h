#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>

#include "platform/mp3_play.h"

namespace vantrel {

// Carries the engine thread's events to the UI thread. Frame reports are coalesced: a new one
// replaces one still waiting, so a slow UI never sees a backlog.
class EventQueue {
public:
    enum class Kind { ActFrame, ThreadEnded, Failure };
    struct Event {
        Kind kind = Kind::ActFrame;
        std::int32_t number = 0; // frame, or error code
        std::string text;
    };

    // Called on the engine thread when the queue turns non-empty; it must only schedule a
    // drain on the UI thread (the Qt side posts a queued call).
    void setWakeUp(std::function<void()> wakeUp);

    void push(Event event);
    // UI thread: hands every waiting event to the listener, in order.
    void deliver(Mp3PlayListener* listener);
    // For programs without an event loop: waits until an event waits or the time has passed.
    bool waitForEvents(std::chrono::milliseconds timeout);
    void discard();

private:
    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<Event> events_;
    std::function<void()> wakeUp_;
};

} // namespace vantrel
