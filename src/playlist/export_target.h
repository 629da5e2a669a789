#pragma once

#include "base/result.h"

#include <string>

namespace vantrel {

class PlaylistModel;

// An export never writes onto what it reads: the playlist it was read from, or the file of any
// row of the list (an MP3 replaced by a CSV file is lost). The same file counts through any
// name, hard or symbolic link included. A target that does not exist yet is always fine.
Result checkExportTarget(const std::string& target, const PlaylistModel& list,
                         const std::string& playlist = {});

} // namespace vantrel
