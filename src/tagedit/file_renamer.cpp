#include "tagedit/file_renamer.h"

#include "base/ascii_text.h"
#include "metadata/track_fields.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace vantrel::tagedit {

std::optional<NameTemplate> templateFor(const std::array<bool, 3>& checked) {
    const auto [artist, title, album] = checked;
    if (!title) return std::nullopt;
    if (!artist && !album) return NameTemplate::Title;
    if (artist && !album) return NameTemplate::TitleArtist;
    if (artist && album) return NameTemplate::TitleArtistAlbum;
    return std::nullopt;
}

namespace {

constexpr const char* kExists = "a file of that name exists already";

Result renameRefused(const std::string& from, const std::string& to, const std::string& reason) {
    return Result::fail("Could not rename " + from + " to " + to + ": " + reason);
}

bool isControl(char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7f;
}

std::string namePart(std::string_view field) {
    std::string part(shownText(field));
    for (char& c : part)
        if (c == '/')
            c = '-';
        else if (isControl(c))
            c = ' ';
    return std::string(trimmed(part, " "));
}

} // namespace

std::optional<TagChanges> fieldsFromName(NameTemplate use, std::string_view fileName) {
    constexpr std::string_view kSeparator = " - ";
    if (std::size_t dot = fileName.rfind('.'); dot != std::string_view::npos && dot > 0)
        fileName = fileName.substr(0, dot);
    const std::size_t wanted = use == NameTemplate::Title         ? 1
                               : use == NameTemplate::TitleArtist ? 2
                                                                  : 3;
    std::vector<std::string> parts;
    for (std::string_view rest = fileName;;) {
        const std::size_t cut = wanted == 1 ? std::string_view::npos : rest.find(kSeparator);
        parts.emplace_back(trimmed(rest.substr(0, cut), " "));
        if (parts.back().empty() || cut == std::string_view::npos) break;
        rest.remove_prefix(cut + kSeparator.size());
    }
    if (parts.size() != wanted || parts.back().empty()) return std::nullopt;
    TagChanges fields;
    fields.title = parts[0];
    if (wanted > 1) fields.artist = parts[1];
    if (wanted > 2) fields.album = parts[2];
    return fields;
}

std::string proposeName(NameTemplate use, std::string_view title, std::string_view artist,
                        std::string_view album) {
    std::string name = namePart(title);
    if (use != NameTemplate::Title) name += " - " + namePart(artist);
    if (use == NameTemplate::TitleArtistAlbum) name += " - " + namePart(album);
    return name + ".mp3";
}

std::string nameProblem(std::string_view fileName) {
    if (std::find_if(fileName.begin(), fileName.end(), isControl) != fileName.end())
        return "the name holds a control character";
    std::string_view stem = fileName;
    if (asciiLowered(stem).ends_with(".mp3")) stem.remove_suffix(4);
    if (stem.find_first_not_of('.') == std::string_view::npos)
        return "the name would be empty or hidden";
    return {};
}

Result renameCheck(const std::string& from, const std::string& to) {
    if (from == to) return Result::ok();
    const std::string_view name = std::string_view(to).substr(to.rfind('/') + 1);
    if (const std::string problem = nameProblem(name); !problem.empty())
        return renameRefused(from, to, problem);
    struct stat st {};
    if (::lstat(to.c_str(), &st) == 0) return renameRefused(from, to, kExists);
    return Result::ok();
}

Result renameNoReplace(const std::string& from, const std::string& to) {
    if (from == to) return Result::ok();
    const std::string_view name = std::string_view(to).substr(to.rfind('/') + 1);
    if (const std::string problem = nameProblem(name); !problem.empty())
        return renameRefused(from, to, problem);
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return Result::ok();
    int error = errno;
    // File systems without the flag get the same guarantee from a hard link, which also
    // refuses an existing name; the old name goes only once the new one holds the file.
    if (error == EINVAL || error == ENOSYS) {
        if (::link(from.c_str(), to.c_str()) == 0) {
            if (::unlink(from.c_str()) == 0) return Result::ok();
            error = errno;
            static_cast<void>(::unlink(to.c_str()));
        } else {
            error = errno;
        }
    }
    return renameRefused(from, to, error == EEXIST ? kExists : std::strerror(error));
}

} // namespace vantrel::tagedit
