#include "metadata/track_tag.h"

#include "base/atomic_file.h"
#include "base/file_descriptor.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

namespace vantrel {

namespace {

bool beginsWithId3v2(int fd) {
    char first[3];
    return readAt(fd, first, sizeof first, 0) &&
           id3v2::startsWithTag(std::string_view(first, sizeof first));
}

Result save(const std::filesystem::path& file, std::string_view block, const TagChanges& fields,
            bool removeFields) {
    {
        // Only a file that carries an ID3v2 tag takes the slower whole-file path.
        struct stat st {};
        auto opened = openRegularForReading(file, st);
        if (!opened || !beginsWithId3v2(opened.value().get())) return id3v1::PutIDTag(file, block);
    }
    if (block.size() != id3v1::kBlockSize || !id3v1::isBlock(block))
        return Result::fail(file.string() + ": not a tag block");
    // Opened for writing, as an in-place write would be: a read-only file stays read-only even
    // though its folder would let a new file replace it.
    auto opened = openRegularFile(file, O_RDWR);
    if (!opened) return Result::fail(opened.error());
    struct stat st {};
    std::string bytes;
    if (::fstat(opened.value().get(), &st) != 0 || !readAll(opened.value().get(), bytes))
        return Result::fail(file.string() + ": " + std::strerror(errno));
    if (bytes.size() < id3v1::kMinFileLength)
        return Result::fail(file.string() + ": too short to be an MP3 file");
    // A tag TagLib cannot take apart is left alone: the ID3v1 block is still written.
    id3v2::editFields(bytes, fields, removeFields);
    const std::size_t end = bytes.size() - id3v1::kBlockSize;
    if (bytes.size() > id3v1::kBlockSize && id3v1::isBlock(std::string_view(bytes).substr(end)))
        bytes.replace(end, id3v1::kBlockSize, block);
    else
        bytes += block;
    return replaceFileAtomically(file, bytes, st.st_mode & 07777);
}

} // namespace

Result readTrackTag(const std::filesystem::path& file, TagRead& out) {
    struct stat st {};
    auto opened = openRegularForReading(file, st);
    if (!opened) return Result::fail(opened.error());
    const int fd = opened.value().get();
    const auto length = static_cast<std::uintmax_t>(st.st_size);
    if (Result r = id3v1::readTagFrom(file, fd, length, out); !r || out.state != TagState::Untagged)
        return r;
    TagValues values;
    bool found = false;
    // An ID3v2 tag that cannot be read leaves the file untagged, as a damaged block would.
    if (id3v2::readFieldsFrom(file, fd, length, values, found) && found) {
        out.state = TagState::Tagged;
        out.values = std::move(values);
    }
    return Result::ok();
}

Result writeTrackTag(const std::filesystem::path& file, std::string_view block,
                     const TagChanges& id3v2Fields) {
    return save(file, block, id3v2Fields, false);
}

Result deleteTrackTag(const std::filesystem::path& file) {
    return save(file, id3v1::blank(), TagChanges{}, true);
}

} // namespace vantrel
