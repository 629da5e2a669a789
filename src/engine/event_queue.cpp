#include "engine/event_queue.h"

namespace vantrel {

void EventQueue::setWakeUp(std::function<void()> wakeUp) {
    std::lock_guard lock(mutex_);
    wakeUp_ = std::move(wakeUp);
    if (wakeUp_ && !events_.empty()) wakeUp_();
}

void EventQueue::push(Event event) {
    std::lock_guard lock(mutex_);
    bool wasEmpty = events_.empty();
    if (event.kind == Kind::ActFrame && !events_.empty() && events_.back().kind == Kind::ActFrame)
        events_.back() = std::move(event);
    else
        events_.push_back(std::move(event));
    ready_.notify_all();
    // Under the lock, so setWakeUp(nullptr) guarantees no call into a receiver being destroyed.
    if (wasEmpty && wakeUp_) wakeUp_();
}

void EventQueue::deliver(Mp3PlayListener* listener) {
    std::deque<Event> batch;
    {
        std::lock_guard lock(mutex_);
        batch.swap(events_);
    }
    if (!listener) return;
    for (const Event& e : batch) {
        switch (e.kind) {
        case Kind::ActFrame:
            listener->ActFrame(e.number);
            break;
        case Kind::ThreadEnded:
            listener->ThreadEnded();
            break;
        case Kind::Failure:
            listener->Failure(e.number, e.text);
            break;
        }
    }
}

bool EventQueue::waitForEvents(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return ready_.wait_for(lock, timeout, [this] { return !events_.empty(); });
}

void EventQueue::discard() {
    std::lock_guard lock(mutex_);
    events_.clear();
}

} // namespace vantrel
