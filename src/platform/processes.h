#pragma once

#include <string>
#include <vector>

namespace vantrel {

// Starting another program that lives on after this one ("Open in New Player").
class Processes {
public:
    virtual ~Processes() = default;
    // Whether the program started.
    virtual bool startDetached(const std::string& program,
                               const std::vector<std::string>& arguments) = 0;
};

} // namespace vantrel
