#include "playlist/playlist_writers.h"

#include "base/atomic_file.h"
#include "base/file_url.h"
#include "base/version.h"
#include "playlist/playlist_model.h"
#include "playlist/playlist_reader.h"

#include <ctime>
#include <filesystem>
#include <sys/stat.h>
#include <unordered_set>

namespace vantrel {

namespace {

constexpr const char* kCrLf = "\r\n";

// Which tracks lie in one folder (the playlist's or the page's). A track there is written by its
// bare name; a track whose file is gone counts as lying nowhere, so its full path is kept.
// Folders compare exactly: on this system /Music and /music are two folders. The folder is
// listed once, when a first track is found in it: one listing costs far less than a look-up
// per track.
class FolderMembers {
public:
    explicit FolderMembers(std::string folder) : folder_(std::move(folder)) {}

    bool holds(const std::string& key) {
        const std::size_t slash = key.rfind('/');
        if (slash == std::string::npos || std::string_view(key).substr(0, slash) != folder_)
            return false;
        if (!listed_) list();
        return names_.contains(std::string_view(key).substr(slash + 1));
    }

private:
    void list() {
        listed_ = true;
        std::error_code error;
        for (std::filesystem::directory_iterator it(folder_.empty() ? "/" : folder_, error), end;
             !error && it != end; it.increment(error))
            if (!it->is_directory(error)) names_.insert(it->path().filename().string());
    }

    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const {
            return std::hash<std::string_view>{}(name);
        }
    };
    std::string folder_;
    bool listed_ = false;
    std::unordered_set<std::string, NameHash, std::equal_to<>> names_;
};

std::string_view fileName(const std::string& path) {
    return std::string_view(path).substr(path.rfind('/') + 1);
}

std::string upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// "-5", "+3.25": a sign in front of digits is a number, not a formula.
bool plainNumber(std::string_view text) {
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) text.remove_prefix(1);
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view part = point == std::string_view::npos ? "" : text.substr(point + 1);
    const auto digits = [](std::string_view t) {
        return t.find_first_not_of("0123456789") == std::string_view::npos;
    };
    return !whole.empty() && digits(whole) && digits(part) &&
           (point == std::string_view::npos || !part.empty());
}

void appendCsvField(std::string& out, const std::string& cell) {
    // A spreadsheet runs a field that begins like a formula; a leading ' makes it text there.
    std::string text = cell;
    if (!text.empty() && std::string_view("=+-@\t\r").find(text[0]) != std::string_view::npos &&
        !plainNumber(text))
        text.insert(0, 1, '\'');
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        out += text;
        return;
    }
    out += '"';
    for (char c : text) {
        out += c;
        if (c == '"') out += '"';
    }
    out += '"';
}

// The next code point of UTF-8 text; a byte that starts no valid sequence stands for itself
// (U+0080..U+00FF), so nothing is lost from a name in another encoding.
char32_t nextCodePoint(std::string_view text, std::size_t& at) {
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
void appendHtml(std::string& out, std::string_view text) {
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
            if (c >= 0x20 && c < 0x7F) {
                out += static_cast<char>(c);
            } else {
                out += "&#";
                out += std::to_string(static_cast<std::uint32_t>(c));
                out += ';';
            }
        }
    }
}

std::string htmlText(std::string_view text) {
    std::string out;
    appendHtml(out, text);
    return out;
}

// The page's link to a track: its bare name beside the page, else its path relative to the
// page's folder ("../music/a.mp3"), which a browser resolves and which keeps working when the
// page and its tracks are copied together.
std::string linkTarget(const std::string& key, FolderMembers& pageFolder,
                       const std::filesystem::path& folder) {
    if (pageFolder.holds(key)) return std::string(fileName(key));
    const std::filesystem::path relative = std::filesystem::path(key).lexically_relative(folder);
    return relative.empty() ? key : relative.string();
}

std::string cellAt(const PlaylistModel& list, int index, int creation) {
    return list.cell(index, creation + 1);
}

std::string_view trimmedBlanks(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return std::string_view(text).substr(first, text.find_last_not_of(' ') - first + 1);
}

// Room for the whole file at once, guessed from the first row: growing a string of many
// megabytes step by step costs more than writing it.
void reserveFor(std::string& out, const PlaylistModel& list, std::size_t perCell) {
    if (list.count() == 0) return;
    std::size_t row = list.row(1).key.size() + 16;
    for (int c = 1; c <= list.columnCount(); ++c)
        row += list.cell(1, c).size() + perCell;
    out.reserve(row * static_cast<std::size_t>(list.count()) * 5 / 4);
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
    FolderMembers folder(folderOf(playlistPath));
    std::string out;
    for (int i = 1; i <= list.count(); ++i) {
        const std::string& key = list.row(i).key;
        out += folder.holds(key) ? fileName(key) : std::string_view(key);
        out += kCrLf;
    }
    return out;
}

std::string writeCsv(const PlaylistModel& list, const std::vector<int>& order) {
    std::string out;
    reserveFor(out, list, 1);
    out += "FULL FILE PATH";
    for (int creation : order) {
        out += ',';
        appendCsvField(out, upper(list.columns().column(creation + 1).header));
    }
    out += kCrLf;
    for (int i = 1; i <= list.count(); ++i) {
        appendCsvField(out, list.row(i).key);
        for (int creation : order) {
            out += ',';
            appendCsvField(out, cellAt(list, i, creation));
        }
        out += kCrLf;
    }
    return out;
}

std::string writeHtml(const PlaylistModel& list, const std::vector<int>& order,
                      const std::string& pagePath, const std::string& title,
                      const std::string& date) {
    std::string out;
    reserveFor(out, list, 12);
    const auto line = [&out](const std::string& text) { out += text + kCrLf; };
    line(R"(<!DOCTYPE HTML PUBLIC "-//IETF//DTD HTML//EN">)");
    line("<html>");
    line("");
    line(R"(<meta name="Date" content=")" + htmlText(date) + R"(">)");
    line(R"(<meta name="generator" content="Quorvane Vantrel )" + std::string(kVersion) + R"(">)");
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
    FolderMembers pageFolder(folderOf(pagePath));
    const std::filesystem::path pageDir(folderOf(pagePath).empty() ? "/" : folderOf(pagePath));
    for (int i = 1; i <= list.count(); ++i) {
        // Appended piece by piece: a page of 100,000 rows is written in well under a second.
        out += "<tr>\r\n<td><a href=\"";
        appendPercentEncoded(out, linkTarget(list.row(i).key, pageFolder, pageDir));
        out += "\">";
        if (!order.empty()) appendHtml(out, cellAt(list, i, order[0]));
        out += "</a></td>\r\n";
        for (std::size_t k = 1; k < order.size(); ++k) {
            // The row's own text (creation index 0) is written as it stands.
            const std::string& cell = cellAt(list, i, order[k]);
            out += "<td>";
            appendHtml(out, order[k] == 0 ? std::string_view(cell) : trimmedBlanks(cell));
            out += "</td>\r\n";
        }
        out += "</tr>\r\n\r\n";
    }
    line("</table>");
    line("</body>");
    line("</html>");
    return out;
}

Result writeFileReplacing(const std::string& path, const std::string& bytes) {
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
    return replaceFileAtomically(path, bytes, mode);
}

} // namespace vantrel
