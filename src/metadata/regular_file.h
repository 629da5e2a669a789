#pragma once

#include <filesystem>

#include "base/result.h"

namespace vantrel {

// Opens a file for reading or writing only when it is a regular file. A FIFO or a device named
// like a music file would otherwise block the open, or be read as if it were one; the check is
// made on the open descriptor, so what is checked is what gets read. On success `fd` is open
// (blocking, close-on-exec) and the caller owns it; on failure it is -1 and the reason names
// the file.
Result openRegularFile(const std::filesystem::path& file, int flags, int& fd);

} // namespace vantrel
