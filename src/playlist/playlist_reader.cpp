#include "playlist/playlist_reader.h"

#include "base/ascii_text.h"
#include "base/file_url.h"
#include "base/path_text.h"

namespace vantrel {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// An absolute entry as the path it names. A file:// address this machine cannot open (another
// host) is kept as written, so the missing-file box names what the list said.
std::string absolutePath(std::string_view entry) {
    const std::string_view bare = trimmed(entry, kBlankOrTab);
    std::string path = isFileUrl(bare) ? pathFromFileUrl(bare) : std::string();
    return path.empty() ? std::string(bare) : path;
}

} // namespace

void lineEntries(std::string_view line, std::vector<std::string>& entries) {
    std::size_t at = 0;
    while (at <= line.size()) {
        while (at < line.size() && line[at] == ' ')
            ++at;
        std::string field;
        std::size_t comma;
        if (at < line.size() && line[at] == '"') {
            const std::size_t close = line.find('"', at + 1);
            field = std::string(line.substr(
                at + 1, close == std::string_view::npos ? std::string_view::npos : close - at - 1));
            // Whatever follows the closing quote up to the comma is not part of the entry.
            comma = close == std::string_view::npos ? line.size() : line.find(',', close);
        } else {
            comma = line.find(',', at);
            field = std::string(line.substr(
                at, comma == std::string_view::npos ? std::string_view::npos : comma - at));
        }
        if (!trimmed(field, kBlankOrTab).empty()) entries.push_back(std::move(field));
        if (comma == std::string_view::npos || comma >= line.size()) break;
        at = comma + 1;
    }
}

std::vector<std::string_view> playlistLines(std::string_view text) {
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (!line.starts_with('#')) lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> playlistEntries(std::string_view text) {
    std::vector<std::string> entries;
    for (std::string_view line : playlistLines(text))
        lineEntries(line, entries);
    return entries;
}

bool entryIsAbsolute(std::string_view entry) {
    const std::string_view bare = trimmed(entry, kBlankOrTab);
    return bare.starts_with('/') || isFileUrl(bare);
}

std::string entryPath(const std::string& folder, const std::string& entry) {
    if (entryIsAbsolute(entry)) return absolutePath(entry);
    return addSlash(folder) + entry;
}

std::string entryFileName(const std::string& entry) {
    if (!entryIsAbsolute(entry)) return entry;
    const std::string path = absolutePath(entry);
    return path.substr(path.rfind('/') + 1);
}

bool namesPlaylist(std::string_view text) {
    if (text.size() < 4) return false;
    const std::string extension = asciiLowered(text.substr(text.size() - 4));
    return extension == ".m3u" || extension == ".m4u";
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

} // namespace vantrel
