#include "base/file_url.h"

#include "base/ascii_text.h"

namespace vantrel {

namespace {

constexpr std::string_view kFileScheme = "file://";

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool unreserved(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

} // namespace

bool isFileUrl(std::string_view text) {
    return text.size() >= kFileScheme.size() &&
           sameIgnoringCase(text.substr(0, kFileScheme.size()), kFileScheme);
}

std::string pathFromFileUrl(std::string_view url) {
    if (!isFileUrl(url)) return {};
    std::string_view rest = url.substr(kFileScheme.size());
    constexpr std::string_view localhost = "localhost";
    if (rest.size() >= localhost.size() &&
        sameIgnoringCase(rest.substr(0, localhost.size()), localhost))
        rest.remove_prefix(localhost.size());
    // Another machine's files are not ours to open.
    if (!rest.starts_with('/')) return {};
    std::string path;
    path.reserve(rest.size());
    for (std::size_t i = 0; i < rest.size(); ++i) {
        const int high = rest[i] == '%' && i + 2 < rest.size() ? hexDigit(rest[i + 1]) : -1;
        const int low = high >= 0 ? hexDigit(rest[i + 2]) : -1;
        if (low < 0) {
            path += rest[i];
            continue;
        }
        // No file name holds a NUL; the address cannot name a file here.
        if (high == 0 && low == 0) return {};
        path += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return path;
}

void appendPercentEncoded(std::string& out, std::string_view path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (const char ch : path) {
        const auto c = static_cast<unsigned char>(ch);
        if (unreserved(c) || c == '/') {
            out += ch;
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
}

std::string fileUrlFromPath(std::string_view path) {
    std::string url(kFileScheme);
    url.reserve(url.size() + path.size());
    appendPercentEncoded(url, path);
    return url;
}

} // namespace vantrel
