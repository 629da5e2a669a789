#pragma once

#include <QString>

#include <string>

namespace vantrel {

// The core's texts are UTF-8; the windows show them as QStrings.
inline QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace vantrel
