#pragma once

#include "platform/shell.h"

namespace vantrel {

class QtShell : public Shell {
public:
    bool open(const std::string& fileOrAddress) override;
};

} // namespace vantrel
