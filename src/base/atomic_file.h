#pragma once

#include "base/result.h"

#include <filesystem>
#include <string_view>
#include <sys/stat.h>
#include <sys/types.h>

namespace vantrel {

// Replaces `file` with `bytes` so that a reader sees either the old or the new contents, never a
// part: the bytes go to a new file beside it (same folder, so the rename stays on one file
// system), which gets `mode`, is synced and then renamed over `file`. A failure names its cause
// and leaves no temporary file behind. `renamed`, when given, receives the new file's status
// taken after the rename (the rename itself changes its times).
Result replaceFileAtomically(const std::filesystem::path& file, std::string_view bytes, mode_t mode,
                             struct stat* renamed = nullptr);

} // namespace vantrel
