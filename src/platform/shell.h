#pragma once

#include <string>

namespace vantrel {

// Opening a file or a web address with the program the desktop associates with it.
class Shell {
public:
    virtual ~Shell() = default;
    // Whether the desktop accepted the request; callers that report nothing may ignore it.
    virtual bool open(const std::string& fileOrAddress) = 0;
};

} // namespace vantrel
