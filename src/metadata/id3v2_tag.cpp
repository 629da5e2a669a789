#include "metadata/id3v2_tag.h"

#include "base/ascii_text.h"
#include "base/file_descriptor.h"
#include "base/number_text.h"
#include "metadata/genre_table.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <sys/stat.h>

#include <taglib/attachedpictureframe.h>
#include <taglib/commentsframe.h>
#include <taglib/id3v2framefactory.h>
#include <taglib/id3v2header.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/tbytevectorstream.h>
#include <taglib/textidentificationframe.h>

namespace vantrel {

bool TagChanges::empty() const {
    return !title && !artist && !album && !year && !comment && !genre;
}

void TagChanges::applyTo(TagValues& v) const {
    if (title) v.title = *title;
    if (artist) v.artist = *artist;
    if (album) v.album = *album;
    if (year) v.year = *year;
    if (comment) v.comment = *comment;
    if (genre) v.genre = *genre;
}

namespace id3v2 {

namespace {

using TagLib::ByteVector;
using TagLib::String;
namespace ID3v2 = TagLib::ID3v2;

constexpr std::uint8_t kNoGenre = 255;

std::string utf8(const String& text) {
    return text.to8Bit(true);
}

// The tag bytes at the start of an open file: no more than the header claims, and never more
// than the file has, so a lying header costs nothing. Most tags fit in the first read.
Result readTagBytes(const std::filesystem::path& file, int fd, std::uintmax_t length,
                    ByteVector& out, bool& found) {
    found = false;
    char first[4096];
    const std::size_t head =
        static_cast<std::size_t>(std::min<std::uintmax_t>(length, sizeof first));
    if (head < kHeaderSize || !readAt(fd, first, head, 0))
        return head < kHeaderSize
                   ? Result::ok()
                   : Result::fail(file.string() + ": " + std::strerror(errno ? errno : EIO));
    if (!startsWithTag(std::string_view(first, head))) return Result::ok();
    const ID3v2::Header parsed(ByteVector(first, kHeaderSize));
    const auto size =
        static_cast<std::size_t>(std::min<std::uintmax_t>(parsed.completeTagSize(), length));
    if (parsed.majorVersion() < 2 || parsed.majorVersion() > 4 || size <= kHeaderSize)
        return Result::ok();
    if (size <= head) {
        out = ByteVector(first, static_cast<unsigned>(size));
    } else {
        out = ByteVector(static_cast<unsigned>(size));
        if (!readAt(fd, out.data(), size, 0))
            return Result::fail(file.string() + ": " + std::strerror(errno ? errno : EIO));
    }
    found = true;
    return Result::ok();
}

Result readTagBytes(const std::filesystem::path& file, ByteVector& out, bool& found) {
    struct stat st {};
    auto opened = openRegularForReading(file, st);
    if (!opened) return Result::fail(opened.error());
    return readTagBytes(file, opened.value().get(), static_cast<std::uintmax_t>(st.st_size), out,
                        found);
}

// Tag bytes read on their own: the MPEG file's reader would look for more tags and audio
// properties that reading fields does not need.
class TagBytes : public TagLib::File {
public:
    explicit TagBytes(TagLib::IOStream* stream) : TagLib::File(stream) {}
    TagLib::Tag* tag() const override { return nullptr; }
    TagLib::AudioProperties* audioProperties() const override { return nullptr; }
    bool save() override { return false; }
};

ID3v2::CommentsFrame* plainComment(const ID3v2::Tag& tag) {
    for (ID3v2::Frame* frame : tag.frameListMap()["COMM"])
        if (auto* comment = dynamic_cast<ID3v2::CommentsFrame*>(frame);
            comment && comment->description().isEmpty())
            return comment;
    return nullptr;
}

std::string leadingYear(const std::string& text) {
    std::size_t n = 0;
    while (n < text.size() && n < 4 && text[n] >= '0' && text[n] <= '9')
        ++n;
    return text.substr(0, n);
}

// "(17)", "(17)Rock", "17" and "Rock" all name genre 17.
std::uint8_t genreOf(const std::string& text) {
    std::string_view t = trimmed(text);
    if (t.size() > 2 && t.front() == '(') t = t.substr(1, t.find(')') - 1);
    if (std::optional<int> n = wholeNumber(t))
        return *n >= 0 && *n < genres::kCount ? static_cast<std::uint8_t>(*n) : kNoGenre;
    for (int g = 0; g < genres::kCount; ++g)
        if (sameIgnoringCase(genres::name(g), t)) return static_cast<std::uint8_t>(g);
    return kNoGenre;
}

std::uint8_t genreOf(const ID3v2::Frame& frame) {
    if (auto* text = dynamic_cast<const ID3v2::TextIdentificationFrame*>(&frame))
        for (const String& value : text->fieldList())
            if (std::uint8_t g = genreOf(utf8(value)); g != kNoGenre) return g;
    return genreOf(utf8(frame.toString()));
}

// The six fields in one pass over the frames (a list is read for every row of a playlist).
void takeFields(const ID3v2::Tag& tag, TagValues& out) {
    std::string year, oldYear;
    const ID3v2::Frame* genre = nullptr;
    const ID3v2::CommentsFrame* comment = nullptr;
    for (const ID3v2::Frame* frame : tag.frameList()) {
        const ByteVector id = frame->frameID();
        std::string* text = id == "TIT2"   ? &out.title
                            : id == "TPE1" ? &out.artist
                            : id == "TALB" ? &out.album
                            : id == "TDRC" ? &year
                            : id == "TYER" ? &oldYear
                                           : nullptr;
        if (text) {
            if (text->empty()) *text = utf8(frame->toString());
        } else if (id == "TCON") {
            if (!genre) genre = frame;
        } else if (id == "COMM" && !comment) {
            auto* c = dynamic_cast<const ID3v2::CommentsFrame*>(frame);
            if (c && c->description().isEmpty()) comment = c;
        }
    }
    out.year = leadingYear(year.empty() ? oldYear : year);
    if (comment) out.comment = utf8(comment->text());
    out.genre = genre ? genreOf(*genre) : kNoGenre;
}

// Sets the first frame of a kind (keeping its place and the others' order) or adds one.
void setText(ID3v2::Tag& tag, const char* id, const std::string& value) {
    ID3v2::FrameList frames = tag.frameListMap()[id];
    if (value.empty()) {
        tag.removeFrames(id);
        return;
    }
    const String text(value, String::UTF8);
    auto* frame =
        frames.isEmpty() ? nullptr : dynamic_cast<ID3v2::TextIdentificationFrame*>(frames.front());
    if (!frame) {
        tag.removeFrames(id);
        frame = new ID3v2::TextIdentificationFrame(ByteVector(id), String::UTF8);
        tag.addFrame(frame);
    } else {
        for (auto it = std::next(frames.begin()); it != frames.end(); ++it)
            tag.removeFrame(*it);
        if (frame->textEncoding() == String::Latin1 && !text.isLatin1())
            frame->setTextEncoding(String::UTF8);
    }
    frame->setText(text);
}

void setComment(ID3v2::Tag& tag, const std::string& value) {
    ID3v2::CommentsFrame* comment = plainComment(tag);
    if (value.empty()) {
        while ((comment = plainComment(tag)))
            tag.removeFrame(comment);
        return;
    }
    if (!comment) {
        comment = new ID3v2::CommentsFrame(String::UTF8);
        comment->setLanguage("eng");
        tag.addFrame(comment);
    }
    const String text(value, String::UTF8);
    if (comment->textEncoding() == String::Latin1 && !text.isLatin1())
        comment->setTextEncoding(String::UTF8);
    comment->setText(text);
}

void setChanges(ID3v2::Tag& tag, const TagChanges& changes) {
    if (changes.title) setText(tag, "TIT2", *changes.title);
    if (changes.artist) setText(tag, "TPE1", *changes.artist);
    if (changes.album) setText(tag, "TALB", *changes.album);
    if (changes.year) {
        // TagLib writes TDRC as TYER in a version 2.3 tag.
        tag.removeFrames("TYER");
        setText(tag, "TDRC", *changes.year);
    }
    if (changes.comment) setComment(tag, *changes.comment);
    if (changes.genre) setText(tag, "TCON", std::string(genres::name(*changes.genre)));
}

} // namespace

bool startsWithTag(std::string_view firstBytes) {
    return firstBytes.substr(0, 3) == "ID3";
}

Result readFields(const std::filesystem::path& file, TagValues& out, bool& found) {
    struct stat st {};
    auto opened = openRegularForReading(file, st);
    if (!opened) return Result::fail(opened.error());
    return readFieldsFrom(file, opened.value().get(), static_cast<std::uintmax_t>(st.st_size), out,
                          found);
}

Result readFieldsFrom(const std::filesystem::path& file, int fd, std::uintmax_t length,
                      TagValues& out, bool& found) {
    ByteVector bytes;
    if (Result r = readTagBytes(file, fd, length, bytes, found); !r || !found) return r;
    TagLib::ByteVectorStream stream(bytes);
    TagBytes whole(&stream);
    const ID3v2::Tag tag(&whole, 0);
    out = TagValues{};
    takeFields(tag, out);
    found = !(out.title.empty() && out.artist.empty() && out.album.empty() && out.year.empty() &&
              out.comment.empty() && out.genre == kNoGenre);
    return Result::ok();
}

Result readPicture(const std::filesystem::path& file, TagPicture& out, bool& found) {
    ByteVector bytes;
    if (Result r = readTagBytes(file, bytes, found); !r || !found) return r;
    TagLib::ByteVectorStream stream(bytes);
    TagBytes whole(&stream);
    const ID3v2::Tag tag(&whole, 0);
    found = false;
    const ID3v2::AttachedPictureFrame* chosen = nullptr;
    for (ID3v2::Frame* frame : tag.frameListMap()["APIC"]) {
        auto* picture = dynamic_cast<ID3v2::AttachedPictureFrame*>(frame);
        if (!picture || picture->picture().isEmpty()) continue;
        if (!chosen || picture->type() == ID3v2::AttachedPictureFrame::FrontCover) {
            if (chosen && chosen->type() == ID3v2::AttachedPictureFrame::FrontCover) continue;
            chosen = picture;
        }
    }
    if (!chosen) return Result::ok();
    const ByteVector data = chosen->picture();
    out.mimeType = utf8(chosen->mimeType());
    out.bytes.assign(data.data(), data.size());
    found = true;
    return Result::ok();
}

bool editFields(std::string& fileBytes, const TagChanges& changes, bool removeFields) {
    if (fileBytes.size() < kHeaderSize || !startsWithTag(fileBytes) ||
        fileBytes.size() > std::numeric_limits<int>::max())
        return false;
    // A header of an unknown version, one that claims bytes past the file's end, or a footer
    // its version does not have would make TagLib replace audio with the rewritten tag: such a
    // tag is left alone.
    const ID3v2::Header header(ByteVector(fileBytes.data(), kHeaderSize));
    if (header.majorVersion() < 2 || header.majorVersion() > 4 ||
        header.completeTagSize() > fileBytes.size() ||
        (header.footerPresent() && header.majorVersion() < 4))
        return false;
    TagLib::ByteVectorStream stream(
        ByteVector(fileBytes.data(), static_cast<unsigned>(fileBytes.size())));
    TagLib::MPEG::File mp3(&stream, ID3v2::FrameFactory::instance(), false);
    if (!mp3.isValid() || !mp3.hasID3v2Tag()) return false;
    ID3v2::Tag& tag = *mp3.ID3v2Tag();
    // TagLib takes what looks like further tags behind the first into it; bytes that only look
    // so may be audio, which a save must not touch.
    if (tag.header()->completeTagSize() != header.completeTagSize()) return false;
    // TagLib writes 2.3 and 2.4; a 2.2 tag becomes 2.3, which every reader knows.
    const auto version = tag.header()->majorVersion() == 4 ? ID3v2::v4 : ID3v2::v3;
    if (removeFields) {
        for (const char* id : {"TIT2", "TPE1", "TALB", "TYER", "TDRC", "TCON"})
            tag.removeFrames(id);
        setComment(tag, "");
    } else {
        setChanges(tag, changes);
    }
    if (!mp3.save(TagLib::MPEG::File::ID3v2, TagLib::File::StripNone, version,
                  TagLib::File::DoNotDuplicate))
        return false;
    const ByteVector& saved = *stream.data();
    fileBytes.assign(saved.data(), saved.size());
    return true;
}

} // namespace id3v2
} // namespace vantrel
