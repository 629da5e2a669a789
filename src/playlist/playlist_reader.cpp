#include "playlist/playlist_reader.h"

#include "base/ascii_text.h"
#include "base/file_url.h"
#include "base/path_text.h"

namespace vantrel {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | c >> 18);
        out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

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

std::string playlistText(std::string bytes) {
    const bool little = bytes.starts_with("\xFF\xFE"), big = bytes.starts_with("\xFE\xFF");
    if (!little && !big) return bytes;
    std::string text;
    text.reserve(bytes.size());
    const auto unit = [&](std::size_t at) {
        const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
        return little ? char16_t(byte(at) | byte(at + 1) << 8)
                      : char16_t(byte(at) << 8 | byte(at + 1));
    };
    for (std::size_t at = 2; at + 1 < bytes.size(); at += 2) {
        char32_t c = unit(at);
        if (c >= 0xD800 && c < 0xDC00 && at + 3 < bytes.size() && unit(at + 2) >= 0xDC00 &&
            unit(at + 2) < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unit(at + 2) - 0xDC00);
            at += 2;
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD; // half of a pair
        }
        appendUtf8(text, c);
    }
    return text;
}

std::vector<std::string_view> playlistLines(std::string_view text) {
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        // CR alone ends a line too (old Mac players); CR LF leaves an empty line, which is
        // skipped.
        const std::size_t end = text.find_first_of("\r\n");
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        line = line.substr(0, line.find('\0'));
        if (!line.empty() && !line.starts_with('#')) lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> playlistEntries(std::string_view bytes) {
    std::vector<std::string> entries;
    const std::string text = playlistText(std::string(bytes));
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
    return extension == ".m3u" || extension == ".m4u" || asciiLowered(text).ends_with(".m3u8");
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

} // namespace vantrel
