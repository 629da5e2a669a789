#pragma once

#include "platform/timer.h"

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

} // namespace vantrel
