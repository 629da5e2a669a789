#include "tagedit/file_renamer.h"

#include "base/ascii_text.h"
#include "metadata/track_fields.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

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

std::string namePart(std::string_view field) {
    std::string part(trimmed(shownText(field), " "));
    for (char& c : part)
        if (c == '/') c = '-';
    return part;
}

} // namespace

std::string proposeName(NameTemplate use, std::string_view title, std::string_view artist,
                        std::string_view album) {
    std::string name = namePart(title);
    if (use != NameTemplate::Title) name += " - " + namePart(artist);
    if (use == NameTemplate::TitleArtistAlbum) name += " - " + namePart(album);
    return name + ".mp3";
}

Result renameNoReplace(const std::string& from, const std::string& to) {
    if (from == to) return Result::ok();
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
    const std::string reason =
        error == EEXIST ? "a file of that name exists already" : std::strerror(error);
    return Result::fail("Could not rename " + from + " to " + to + ": " + reason);
}

} // namespace vantrel::tagedit
