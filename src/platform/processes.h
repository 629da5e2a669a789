#pragma once

#include <string>

namespace vantrel {

// Starting another program on its own, not waited for.
class Processes {
public:
    virtual ~Processes() = default;
    // Whether the program could be started.
    virtual bool startDetached(const std::string& program) = 0;
};

} // namespace vantrel
