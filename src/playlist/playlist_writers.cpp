#include "playlist/playlist_writers.h"

#include "base/file_descriptor.h"
#include "playlist/playlist_model.h"
#include "playlist/playlist_reader.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace vantrel {

namespace {

constexpr const char* kCrLf = "\r\n";

// A track in `folder` is written by its bare name. A track whose file is gone counts as lying
// nowhere, so its full path is kept. Folders compare exactly: on this system /Music and /music
// are two folders.
bool liesIn(const std::string& key, const std::string& folder) {
    std::error_code error;
    return folderOf(key) == folder && std::filesystem::exists(key, error);
}

std::string fileName(const std::string& path) {
    return path.substr(path.rfind('/') + 1);
}

std::string upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string out = "\"";
    for (char c : text) {
        out += c;
        if (c == '"') out += '"';
    }
    return out + "\"";
}

// The next code point of UTF-8 text; a byte that starts no valid sequence stands for itself
// (U+0080..U+00FF), so nothing is lost from a name in another encoding.
char32_t nextCodePoint(const std::string& text, std::size_t& at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    const std::size_t extra = lead >= 0xF0 && lead < 0xF5 ? 3
                              : lead >= 0xE0              ? 2
                              : lead >= 0xC2              ? 1
                                                          : 0;
    if (extra > 0 && at + extra < text.size()) {
        char32_t cp = lead & (0x3F >> extra);
        bool valid = true;
        for (std::size_t i = 1; valid && i <= extra; ++i) {
            valid = (byte(at + i) & 0xC0) == 0x80;
            cp = (cp << 6) | (byte(at + i) & 0x3F);
        }
        if (valid) {
            at += extra + 1;
            return cp;
        }
    }
    ++at;
    return lead;
}

// Text for the page: markup characters escaped, anything beyond ASCII as a reference.
std::string htmlText(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const char32_t c = nextCodePoint(text, at);
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            if (c >= 0x20 && c < 0x7F)
                out += static_cast<char>(c);
            else
                out += "&#" + std::to_string(static_cast<std::uint32_t>(c)) + ";";
        }
    }
    return out;
}

std::string percentEncoded(const std::string& path) {
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (char ch : path) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
            std::strchr("-._~/", c) != nullptr) {
            out += ch;
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

// The page's link to a track: its bare name beside the page, else its path without the
// leading "/", so the page and its tracks can move together to another root.
std::string linkTarget(const std::string& key, const std::string& pageFolder) {
    if (liesIn(key, pageFolder)) return fileName(key);
    return key.starts_with('/') ? key.substr(1) : key;
}

const std::string& cellAt(const PlaylistModel& list, int index, int creation) {
    return list.cell(index, creation + 1);
}

std::string trimmedBlanks(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

std::vector<int> creationOrder(const PlaylistModel& list) {
    std::vector<int> order;
    for (int c = 0; c < list.columnCount(); ++c)
        order.push_back(c);
    return order;
}

std::string todaysDate() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

std::string writeM3u(const PlaylistModel& list, const std::string& playlistPath) {
    const std::string folder = folderOf(playlistPath);
    std::string out;
    for (int i = 1; i <= list.count(); ++i) {
        const std::string& key = list.row(i).key;
        out += liesIn(key, folder) ? fileName(key) : key;
        out += kCrLf;
    }
    return out;
}

std::string writeCsv(const PlaylistModel& list, const std::vector<int>& order) {
    std::string out = "FULL FILE PATH";
    for (int creation : order)
        out += "," + csvField(upper(list.columns().column(creation + 1).header));
    out += kCrLf;
    for (int i = 1; i <= list.count(); ++i) {
        out += csvField(list.row(i).key);
        for (int creation : order)
            out += "," + csvField(cellAt(list, i, creation));
        out += kCrLf;
    }
    return out;
}

std::string writeHtml(const PlaylistModel& list, const std::vector<int>& order,
                      const std::string& pagePath, const std::string& title,
                      const std::string& date) {
    std::string out;
    const auto line = [&out](const std::string& text) { out += text + kCrLf; };
    line(R"(<!DOCTYPE HTML PUBLIC "-//IETF//DTD HTML//EN">)");
    line("<html>");
    line("");
    line(R"(<meta name="Date" content=")" + htmlText(date) + R"(">)");
    line(R"(<meta name="generator" content="Quorvane Vantrel 1.0.3">)");
    line("");
    line("<head>");
    line(R"(<body bgcolor="#000000" text="#FFFFFF">)");
    line("");
    line("<title>MP3 File List</title>");
    line("</head>");
    line("");
    line("<body>");
    line("");
    line("<h1>" + htmlText(title) + "</h1>");
    line("");
    line(R"(<table border="1">)");
    line("<tr>");
    for (int creation : order) {
        line("<td><h3>" + htmlText(upper(list.columns().column(creation + 1).header)) + "</h3>");
        line("</td>");
    }
    line("</tr>");
    line("");
    const std::string pageFolder = folderOf(pagePath);
    for (int i = 1; i <= list.count(); ++i) {
        line("<tr>");
        const std::string link = percentEncoded(linkTarget(list.row(i).key, pageFolder));
        const std::string first = order.empty() ? std::string() : cellAt(list, i, order[0]);
        line(R"(<td><a href=")" + link + R"(">)" + htmlText(first) + "</a></td>");
        for (std::size_t k = 1; k < order.size(); ++k) {
            // The row's own text (creation index 0) is written as it stands.
            const std::string& cell = cellAt(list, i, order[k]);
            line("<td>" + htmlText(order[k] == 0 ? cell : trimmedBlanks(cell)) + "</td>");
        }
        line("</tr>");
        line("");
    }
    line("</table>");
    line("</body>");
    line("</html>");
    return out;
}

Result writeFileReplacing(const std::string& path, const std::string& bytes) {
    const std::filesystem::path file(path);
    std::string temp = (file.parent_path() / ("." + file.filename().string() + ".XXXXXX")).string();
    FileDescriptor fd(::mkstemp(temp.data()));
    if (!fd.isOpen()) return Result::fail(std::strerror(errno));
    // The new file gets the old one's permissions, or what a fresh file would get.
    struct stat old {};
    mode_t mode = 0;
    if (::stat(path.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd.get(), mode);
    Result result = writeAll(fd.get(), bytes) ? Result::ok() : Result::fail(std::strerror(errno));
    if (result && ::fsync(fd.get()) != 0) result = Result::fail(std::strerror(errno));
    if (result && !fd.close()) result = Result::fail(std::strerror(errno));
    if (result && ::rename(temp.c_str(), path.c_str()) != 0)
        result = Result::fail(std::strerror(errno));
    if (!result) ::unlink(temp.c_str());
    return result;
}

} // namespace vantrel
