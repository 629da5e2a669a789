#pragma once

#include <string>

namespace vantrel {

// The folder with a "/" at its end, added only when it is not there already.
inline std::string addSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

} // namespace vantrel
