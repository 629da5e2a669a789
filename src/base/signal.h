#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace vantrel {

namespace detail {
struct SlotLife {
    bool connected = true;
};
} // namespace detail

// One subscription to a Signal. It ends when this object is destroyed or disconnect() is
// called, so a window that holds its connections leaves no listener behind when it closes.
// Outliving the signal is safe.
class Connection {
public:
    Connection() = default;
    Connection(Connection&& other) noexcept : slot_(std::move(other.slot_)) {}
    Connection& operator=(Connection&& other) noexcept {
        if (this != &other) {
            disconnect();
            slot_ = std::move(other.slot_);
        }
        return *this;
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    ~Connection() { disconnect(); }

    void disconnect() {
        if (auto slot = slot_.lock()) slot->connected = false;
        slot_.reset();
    }
    bool connected() const {
        auto slot = slot_.lock();
        return slot && slot->connected;
    }

private:
    template <typename...> friend class Signal;
    explicit Connection(std::weak_ptr<detail::SlotLife> slot) : slot_(std::move(slot)) {}
    std::weak_ptr<detail::SlotLife> slot_;
};

// The core's change notification: an object owns a Signal, listeners connect to it and keep
// the Connection as long as they want to hear. Single-threaded, like the core. A listener may
// connect or disconnect others (or itself) while the signal is being raised: the ones
// connected when raising began and still connected when their turn comes are called.
template <typename... Args> class Signal {
public:
    using Slot = std::function<void(Args...)>;

    Signal() = default;
    Signal(const Signal&) = delete;
    Signal& operator=(const Signal&) = delete;

    [[nodiscard]] Connection connect(Slot slot) {
        prune();
        auto entry = std::make_shared<Entry>();
        entry->call = std::move(slot);
        slots_.push_back(entry);
        return Connection(entry);
    }

    void operator()(Args... args) const {
        const auto snapshot = slots_;
        for (const auto& entry : snapshot)
            if (entry->connected) entry->call(args...);
    }

    std::size_t connectionCount() const {
        std::size_t n = 0;
        for (const auto& entry : slots_)
            n += entry->connected ? 1 : 0;
        return n;
    }

private:
    struct Entry : detail::SlotLife {
        Slot call;
    };
    void prune() {
        std::erase_if(slots_, [](const auto& entry) { return !entry->connected; });
    }
    std::vector<std::shared_ptr<Entry>> slots_;
};

// The connections a window or part holds; all end together when it goes.
using Connections = std::vector<Connection>;

} // namespace vantrel
