#include "engine/event_queue.h"

#include <algorithm>
#include <optional>

namespace vantrel {

void EventQueue::setWakeUp(std::function<void()> wakeUp) {
    std::lock_guard lock(mutex_);
    wakeUp_ = std::move(wakeUp);
    if (wakeUp_ && !events_.empty()) wakeUp_();
}

void EventQueue::push(Event event) {
    std::lock_guard lock(mutex_);
    const bool frame = event.kind == Kind::ActFrame;
    if (frame && !event.landing && seeksAsked_ > 0) return;
    const bool wasEmpty = events_.empty();
    if (frame && !events_.empty() && events_.back().kind == Kind::ActFrame &&
        !events_.back().landing && events_.back().stream == event.stream)
        events_.back() = std::move(event);
    else
        events_.push_back(std::move(event));
    ready_.notify_all();
    // Under the lock, so setWakeUp(nullptr) guarantees no call into a receiver being destroyed.
    if (wasEmpty && wakeUp_) wakeUp_();
}

void EventQueue::deliver(Mp3PlayListener* listener) {
    for (;;) {
        std::optional<Event> next;
        {
            std::lock_guard lock(mutex_);
            if (events_.empty()) return;
            if (events_.front().stream == current_) next = std::move(events_.front());
            events_.pop_front();
        }
        if (!next || !listener) continue;
        switch (next->kind) {
        case Kind::ActFrame:
            listener->ActFrame(next->number);
            break;
        case Kind::ThreadEnded:
            listener->ThreadEnded();
            break;
        case Kind::Failure:
            listener->Failure(next->number, next->text);
            break;
        }
    }
}

bool EventQueue::waitForEvents(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return ready_.wait_for(lock, timeout, [this] { return !events_.empty(); });
}

void EventQueue::setCurrent(std::uint32_t stream) {
    std::lock_guard lock(mutex_);
    current_ = stream;
    std::erase_if(events_, [stream](const Event& e) { return e.stream != stream; });
}

void EventQueue::seekAsked() {
    std::lock_guard lock(mutex_);
    ++seeksAsked_;
    std::erase_if(events_, [](const Event& e) { return e.kind == Kind::ActFrame && !e.landing; });
}

void EventQueue::seekRunning() {
    std::lock_guard lock(mutex_);
    seeksAsked_ = std::max(seeksAsked_ - 1, 0);
}

} // namespace vantrel
