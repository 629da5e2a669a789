#include "metadata/id3v1_block.h"

#include "base/ascii_text.h"

#include "base/file_descriptor.h"
#include "metadata/cp1252.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vantrel::id3v1 {

namespace {

struct Field {
    std::size_t offset, width;
};
constexpr Field kTitle{3, 30}, kArtist{33, 30}, kAlbum{63, 30}, kYear{93, 4}, kComment{97, 30};
constexpr std::size_t kGenreOffset = 127;

std::string readField(std::string_view block, Field f) {
    return cp1252ToUtf8(trimmed(block.substr(f.offset, f.width)));
}

void appendField(std::string& block, const std::string& text, Field f) {
    std::string bytes(trimmed(utf8ToCp1252(trimmed(text))));
    bytes.resize(f.width, ' ');
    block += bytes;
}

std::string failure(const std::filesystem::path& file, const std::string& why) {
    return file.string() + ": " + why;
}

// The last 128 bytes of an open file of at least 129 bytes.
Result readLastBlock(const std::filesystem::path& file, int fd, off_t length, std::string& out) {
    out.assign(kBlockSize, '\0');
    if (!readAt(fd, out.data(), kBlockSize, length - static_cast<off_t>(kBlockSize)))
        return Result::fail(
            failure(file, errno ? std::strerror(errno) : "cannot read the end of the file"));
    return Result::ok();
}

} // namespace

bool isBlock(std::string_view last128) {
    if (last128.size() != kBlockSize) return false;
    return sameIgnoringCase(last128.substr(0, 3), "TAG");
}

TagValues takeFields(std::string_view block) {
    TagValues v;
    v.title = readField(block, kTitle);
    v.artist = readField(block, kArtist);
    v.album = readField(block, kAlbum);
    v.year = readField(block, kYear);
    v.comment = readField(block, kComment);
    v.genre = static_cast<std::uint8_t>(block[kGenreOffset]);
    return v;
}

std::string compose(const TagValues& values) {
    std::string block = "TAG";
    appendField(block, values.title, kTitle);
    appendField(block, values.artist, kArtist);
    appendField(block, values.album, kAlbum);
    appendField(block, values.year, kYear);
    appendField(block, values.comment, kComment);
    block += static_cast<char>(values.genre);
    return block;
}

std::string blank() {
    return "TAG" + std::string(kBlockSize - 3, ' ');
}

Result readTag(const std::filesystem::path& file, TagRead& out) {
    struct stat st {};
    auto opened = openRegularForReading(file, st);
    if (!opened) return Result::fail(opened.error());
    return readTagFrom(file, opened.value().get(), static_cast<std::uintmax_t>(st.st_size), out);
}

Result readTagFrom(const std::filesystem::path& file, int fd, std::uintmax_t length, TagRead& out) {
    out = TagRead{};
    if (length < kMinFileLength) {
        out.state = TagState::TooShort;
        return Result::ok();
    }
    std::string last;
    if (Result r = readLastBlock(file, fd, static_cast<off_t>(length), last); !r) return r;
    if (isBlock(last)) {
        out.state = TagState::Tagged;
        out.values = takeFields(last);
    }
    return Result::ok();
}

Result PutIDTag(const std::filesystem::path& file, std::string_view block) {
    if (block.size() != kBlockSize || !isBlock(block))
        return Result::fail(failure(file, "not a tag block"));
    if (file.empty()) return Result::fail("no file given");
    auto opened = openRegularFile(file, O_RDWR);
    if (!opened) return Result::fail(opened.error());
    FileDescriptor& fd = opened.value();
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) return Result::fail(failure(file, std::strerror(errno)));
    if (static_cast<std::uintmax_t>(st.st_size) < kMinFileLength)
        return Result::fail(failure(file, "too short to be an MP3 file"));

    std::string last;
    if (Result r = readLastBlock(file, fd.get(), st.st_size, last); !r) return r;
    bool inPlace = isBlock(last);
    off_t at = inPlace ? st.st_size - static_cast<off_t>(kBlockSize) : st.st_size;
    if (!writeAt(fd.get(), block, at)) {
        std::string why = errno ? std::strerror(errno) : "cannot write";
        // A write that stopped part way must not leave a broken block behind.
        bool restored =
            inPlace ? writeAt(fd.get(), last, at) : ::ftruncate(fd.get(), st.st_size) == 0;
        if (!restored) why += "; the end of the file may be damaged";
        return Result::fail(failure(file, why));
    }
    if (!fd.close()) return Result::fail(failure(file, std::strerror(errno)));
    return Result::ok();
}

} // namespace vantrel::id3v1
