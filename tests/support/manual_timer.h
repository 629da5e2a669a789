#pragma once

#include "platform/timer_factory.h"

#include <map>

namespace vantrel::test {

// A timer that ticks only when the test says so, and only while enabled, as a real one would.
class ManualTimer : public Timer {
public:
    explicit ManualTimer(int interval = 0) : interval_(interval) {}

    void setInterval(int milliseconds) override { interval_ = milliseconds; }
    int interval() const override { return interval_; }
    void setEnabled(bool enabled) override { enabled_ = enabled; }
    bool enabled() const override { return enabled_; }
    void onTick(std::function<void()> handler) override { handler_ = std::move(handler); }

    // Runs the handler once when enabled; returns whether it ran.
    bool fire() {
        if (!enabled_ || !handler_) return false;
        handler_();
        return true;
    }
    // Fires up to n times, stopping early when a tick disables the timer.
    int fire(int n) {
        int fired = 0;
        while (fired < n && fire())
            ++fired;
        return fired;
    }

private:
    int interval_;
    bool enabled_ = false;
    std::function<void()> handler_;
};

// Makes manual timers and keeps them by name for the test to fire.
class ManualTimerFactory : public TimerFactory {
public:
    std::unique_ptr<Timer> create(const std::string& name) override {
        auto timer = std::make_unique<ManualTimer>();
        made_[name] = timer.get();
        return timer;
    }
    ManualTimer& operator[](const std::string& name) { return *made_.at(name); }

private:
    std::map<std::string, ManualTimer*> made_;
};

} // namespace vantrel::test
