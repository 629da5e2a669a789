// The ID3v1 block: reading and composing keep the fields, and writing a tag touches only the
// file's last 128 bytes (or appends exactly 128).
#include "fuzz_check.h"

#include "metadata/cp1252.h"
#include "metadata/id3v1_block.h"

#include <cstdint>
#include <string>

using namespace vantrel;

namespace {

void checkBlockRoundTrip(std::string_view block) {
    TagValues read = id3v1::takeFields(block);
    std::string again = id3v1::compose(read);
    FUZZ_CHECK(again.size() == id3v1::kBlockSize);
    FUZZ_CHECK(id3v1::isBlock(again));
    FUZZ_CHECK(id3v1::takeFields(again) == read);
    // Composing what was composed changes nothing.
    FUZZ_CHECK(id3v1::compose(id3v1::takeFields(again)) == again);
}

void checkWrite(std::string_view content, const std::string& block) {
    const auto file = fuzz::scratchFolder() / "tagged.mp3";
    fuzz::writeFile(file, content);
    const bool hadTag = content.size() >= id3v1::kMinFileLength &&
                        id3v1::isBlock(content.substr(content.size() - id3v1::kBlockSize));
    Result written = id3v1::PutIDTag(file, block);
    std::string after = fuzz::readFile(file);

    if (content.size() < id3v1::kMinFileLength) {
        FUZZ_CHECK(!written);
        FUZZ_CHECK(after == content);
        return;
    }
    FUZZ_CHECK(written);
    const std::size_t kept = hadTag ? content.size() - id3v1::kBlockSize : content.size();
    FUZZ_CHECK(after.size() == kept + id3v1::kBlockSize);
    FUZZ_CHECK(std::string_view(after).substr(0, kept) == content.substr(0, kept));
    FUZZ_CHECK(after.substr(kept) == block);

    TagRead tag;
    FUZZ_CHECK(id3v1::readTag(file, tag));
    FUZZ_CHECK(tag.state == TagState::Tagged);
    FUZZ_CHECK(tag.values == id3v1::takeFields(block));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // Every byte is one character of the code page and comes back as itself.
    FUZZ_CHECK(utf8ToCp1252(cp1252ToUtf8(bytes)) == bytes);
    // Any text (malformed UTF-8 included) becomes something the code page holds.
    std::string narrowed = utf8ToCp1252(bytes);
    FUZZ_CHECK(utf8ToCp1252(cp1252ToUtf8(narrowed)) == narrowed);

    // The block is the last 128 bytes when there are that many; a shorter input is padded.
    std::string block = size >= id3v1::kBlockSize
                            ? std::string(bytes.substr(size - id3v1::kBlockSize))
                            : std::string(bytes) + std::string(id3v1::kBlockSize - size, ' ');
    if (id3v1::isBlock(block)) checkBlockRoundTrip(block);

    // Values from arbitrary text, as the editor hands them over.
    TagValues typed;
    std::string_view rest = bytes;
    for (std::string* field : {&typed.title, &typed.artist, &typed.album, &typed.year}) {
        std::size_t cut = std::min<std::size_t>(rest.find('\n'), rest.size());
        *field = std::string(rest.substr(0, cut));
        rest.remove_prefix(std::min(cut + 1, rest.size()));
    }
    typed.comment = std::string(rest.substr(0, 64));
    typed.genre = size ? data[0] : 0;
    std::string composed = id3v1::compose(typed);
    FUZZ_CHECK(composed.size() == id3v1::kBlockSize);
    checkBlockRoundTrip(composed);

    checkWrite(bytes, composed);
    return 0;
}
