#pragma once

#include "platform/processes.h"

namespace vantrel {

class QtProcesses : public Processes {
public:
    bool startDetached(const std::string& program,
                       const std::vector<std::string>& arguments) override;
};

} // namespace vantrel
