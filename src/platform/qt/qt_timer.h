#pragma once

#include "platform/timer_factory.h"

#include <QTimer>

namespace vantrel {

// A window timer on Qt's event loop.
class QtTimer : public Timer {
public:
    explicit QtTimer(int interval = 0);

    void setInterval(int milliseconds) override;
    int interval() const override { return timer_.interval(); }
    void setEnabled(bool enabled) override;
    bool enabled() const override { return timer_.isActive(); }
    void onTick(std::function<void()> handler) override { handler_ = std::move(handler); }

private:
    QTimer timer_;
    std::function<void()> handler_;
};

class QtTimerFactory : public TimerFactory {
public:
    std::unique_ptr<Timer> create(const std::string&) override {
        return std::make_unique<QtTimer>();
    }
};

} // namespace vantrel
