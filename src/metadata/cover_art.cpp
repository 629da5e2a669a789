#include "metadata/cover_art.h"

#include "base/atomic_file.h"
#include "base/file_url.h"
#include "metadata/id3v2_tag.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <system_error>

namespace vantrel {

namespace {

// FNV-1a, 64 bits: stable across runs and builds, which std::hash does not promise.
std::string hashName(const std::string& bytes) {
    std::uint64_t h = 14695981039346656037ull;
    for (unsigned char c : bytes)
        h = (h ^ c) * 1099511628211ull;
    char name[17];
    std::snprintf(name, sizeof name, "%016llx", static_cast<unsigned long long>(h));
    return name;
}

std::string extensionFor(const std::string& mimeType) {
    if (mimeType == "image/png" || mimeType == "PNG") return ".png";
    if (mimeType == "image/gif") return ".gif";
    return ".jpg"; // what nearly every tagger stores, also under "image/jpg" or "JPG"
}

} // namespace

std::filesystem::path coverCacheFolder() {
    const char* xdg = std::getenv("XDG_CACHE_HOME");
    if (xdg && xdg[0] == '/') return std::filesystem::path(xdg) / "vantrel";
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home ? home : "/tmp") / ".cache" / "vantrel";
}

std::string cachedCoverUrl(const std::filesystem::path& track,
                           const std::filesystem::path& folder) {
    TagPicture picture;
    bool found = false;
    if (!id3v2::readPicture(track, picture, found) || !found) return {};
    const std::filesystem::path copy =
        folder / (hashName(picture.bytes) + extensionFor(picture.mimeType));
    std::error_code error;
    if (!std::filesystem::is_regular_file(copy, error)) {
        std::filesystem::create_directories(folder, error);
        if (!replaceFileAtomically(copy, picture.bytes, 0644)) return {};
    }
    return fileUrlFromPath(copy.string());
}

} // namespace vantrel
