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
// replaces one still waiting, so a slow UI never sees a backlog. Every event names its stream;
// one whose stream is no longer current by the time it would be delivered is dropped.
class EventQueue {
public:
    enum class Kind { ActFrame, ThreadEnded, Failure };
    struct Event {
        Kind kind = Kind::ActFrame;
        std::int32_t number = 0; // frame, or error code
        std::string text;
        std::uint32_t stream = 0;
        bool landing = false; // a frame report saying where a seek landed: never replaced
    };

    // Called on the engine thread when the queue turns non-empty; it must only schedule a
    // drain on the UI thread (the Qt side posts a queued call).
    void setWakeUp(std::function<void()> wakeUp);

    void push(Event event);
    // UI thread: hands the waiting events to the listener one at a time, in order, taking each
    // only when the one before has been handled: a handler that opens or closes a stream (or
    // runs a box's event loop in which something else does) drops what the old one had left.
    void deliver(Mp3PlayListener* listener);
    // For programs without an event loop: waits until an event waits or the time has passed.
    bool waitForEvents(std::chrono::milliseconds timeout);
    // The stream whose events are delivered from now on; those of any other are dropped.
    void setCurrent(std::uint32_t stream);

    // A seek was asked for (UI thread): frame reports until it has run tell a position it
    // leaves, so they are dropped, and the first report after it says where it went.
    void seekAsked();
    // The engine thread is about to run the seek.
    void seekRunning();

private:
    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<Event> events_;
    std::function<void()> wakeUp_;
    std::uint32_t current_ = 0;
    int seeksAsked_ = 0;
};

} // namespace vantrel
