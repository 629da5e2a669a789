#pragma once

#include "platform/processes.h"

namespace vantrel {

class QtProcesses : public Processes {
public:
    bool startDetached(const std::string& program) override;
};

} // namespace vantrel
