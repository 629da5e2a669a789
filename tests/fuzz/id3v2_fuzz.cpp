// The ID3v2 path: reading any tag ends and fails only for an unreadable file, and a save either
// leaves the file exactly as it was or keeps the audio after a tag that fits in the file.
#include "fuzz_check.h"

#include "metadata/track_tag.h"

#include <cstdint>
#include <string>

using namespace vantrel;

namespace {

const std::string kAudio(1000, '\xFB');

// The size the tag's header claims, header (and a version 2.4 footer) included.
std::size_t claimedSize(std::string_view tag) {
    std::size_t size = 0;
    for (std::size_t i = 6; i < 10 && i < tag.size(); ++i)
        size = size << 7 | (static_cast<unsigned char>(tag[i]) & 0x7F);
    return 10 + size + (tag.size() > 5 && tag[3] == 4 && (tag[5] & 0x10) ? 10 : 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string tag(reinterpret_cast<const char*>(data), size);
    if (tag.rfind("ID3", 0) != 0) tag.insert(0, "ID3");
    const auto file = fuzz::scratchFolder() / "track.mp3";
    const std::string content = tag + kAudio;
    fuzz::writeFile(file, content);

    TagRead read;
    FUZZ_CHECK(readTrackTag(file, read));
    TagPicture picture;
    bool found = false;
    FUZZ_CHECK(id3v2::readPicture(file, picture, found));

    TagChanges changes;
    changes.title = "T\xC3\xADtulo";
    changes.genre = 17;
    const std::string block = id3v1::compose({*changes.title, "", "", "", "", 17});
    const Result saved = writeTrackTag(file, block, changes);
    const std::string after = fuzz::readFile(file);
    if (!saved) {
        FUZZ_CHECK(after == content);
        return 0;
    }
    FUZZ_CHECK(after.size() >= block.size() && after.substr(after.size() - block.size()) == block);
    if (claimedSize(tag) <= tag.size())
        FUZZ_CHECK(
            after.size() >= kAudio.size() + block.size() &&
            after.compare(after.size() - block.size() - kAudio.size(), kAudio.size(), kAudio) == 0);
    FUZZ_CHECK(readTrackTag(file, read));
    FUZZ_CHECK(read.state == TagState::Tagged && read.values == id3v1::takeFields(block));
    return 0;
}
