#pragma once

#include <filesystem>
#include <string>

namespace vantrel {

// Where the covers handed to the desktop are kept: $XDG_CACHE_HOME/vantrel/, or
// ~/.cache/vantrel/ when that is not set to an absolute path.
std::filesystem::path coverCacheFolder();

// A file URL of the track's cover (its ID3v2 tag's front cover, else its first picture), copied
// into `folder` under a name made from the picture's bytes, so each picture is written once;
// empty when the track has none or the copy cannot be made.
std::string cachedCoverUrl(const std::filesystem::path& track, const std::filesystem::path& folder);

} // namespace vantrel
