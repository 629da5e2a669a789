#pragma once

#include <functional>

namespace vantrel {

// A window timer: while enabled it ticks every interval on the user-interface thread.
// Enabling a timer, or changing its interval, starts the interval anew.
class Timer {
public:
    virtual ~Timer() = default;

    virtual void setInterval(int milliseconds) = 0;
    virtual int interval() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool enabled() const = 0;
    virtual void onTick(std::function<void()> handler) = 0;
};

} // namespace vantrel
