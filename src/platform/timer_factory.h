#pragma once

#include "platform/timer.h"

#include <memory>
#include <string>

namespace vantrel {

// Makes the window timers a part needs, so the parts need not be handed each one by name.
class TimerFactory {
public:
    virtual ~TimerFactory() = default;
    // A new disabled timer; the name (e.g. "tmrDisp") lets tests and debuggers tell it apart.
    virtual std::unique_ptr<Timer> create(const std::string& name) = 0;
};

} // namespace vantrel
