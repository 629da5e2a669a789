#include "engine/mpeg_layout.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "base/file_descriptor.h"
#include "metadata/id3v1_block.h"

namespace vantrel {

namespace {

// kbit/s by [MPEG 1 ? 0 : 1][layer - 1][index]
constexpr int kBitRates[2][3][16] = {
    {{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0},
     {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},
     {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0}},
    {{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0}},
};
constexpr int kSampleRates[3] = {44100, 48000, 32000};

// How far past the ID3v2 tag we look for the first frame; junk beyond that is not an MP3.
constexpr std::size_t kSyncWindow = 64 * 1024;
constexpr std::size_t kFirstRead = 4096;

// As many of `count` bytes at `offset` as the file holds.
std::vector<unsigned char> readAt(int fd, std::uint64_t offset, std::size_t count) {
    std::vector<unsigned char> bytes(count);
    std::size_t got = 0;
    while (got < count) {
        ssize_t n = ::pread(fd, bytes.data() + got, count - got, static_cast<off_t>(offset + got));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    return bytes;
}

std::uint32_t bigEndian32(const unsigned char* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
           p[3];
}

// Size of an ID3v2 tag at the start, footer included; 0 when there is none.
std::uint64_t id3v2Size(const std::vector<unsigned char>& head) {
    if (head.size() < 10 || std::memcmp(head.data(), "ID3", 3) != 0) return 0;
    for (int i = 6; i < 10; ++i)
        if (head[i] & 0x80) return 0; // not synchsafe: not a tag
    std::uint64_t size = (std::uint64_t{head[6]} << 21) | (std::uint64_t{head[7]} << 14) |
                         (std::uint64_t{head[8]} << 7) | head[9];
    bool footer = head[5] & 0x10;
    return 10 + size + (footer ? 10 : 0);
}

// Offset in buf of a frame that is followed by another frame of the same stream.
std::optional<std::size_t> findFrameRun(const std::vector<unsigned char>& buf,
                                        const FrameHeader* like) {
    for (std::size_t i = 0; i + 4 <= buf.size(); ++i) {
        if (buf[i] != 0xFF) continue;
        auto h = parseFrameHeader(&buf[i]);
        if (!h || (like && !h->sameStream(*like))) continue;
        std::size_t next = i + static_cast<std::size_t>(h->length);
        if (next + 4 > buf.size()) {
            if (!like && next == buf.size()) return i; // a file of exactly one frame
            continue;
        }
        auto h2 = parseFrameHeader(&buf[next]);
        if (h2 && h2->sameStream(*h)) return i;
    }
    return std::nullopt;
}

int sideInfoSize(const FrameHeader& h) {
    if (h.version == 10) return h.channels == 1 ? 17 : 32;
    return h.channels == 1 ? 9 : 17;
}

// The shortest frame the stream's version and layer can have.
double shortestFrame(const FrameHeader& h) {
    const int lowest = kBitRates[h.version == 10 ? 0 : 1][h.layer - 1][1] * 1000;
    return h.samplesPerFrame / 8.0 * lowest / h.sampleRate;
}

// Reads a Xing/Info or VBRI header; returns the stream bytes it claims (the byte count it
// carries, else what its frames take at the least).
std::uint64_t readInfoHeader(const std::vector<unsigned char>& frame, MpegLayout& layout) {
    const FrameHeader& h = layout.first;
    std::size_t xing = 4 + static_cast<std::size_t>(sideInfoSize(h));
    if (h.layer == 3 && frame.size() >= xing + 8) {
        const unsigned char* p = &frame[xing];
        const bool info = std::memcmp(p, "Info", 4) == 0;
        if (info || std::memcmp(p, "Xing", 4) == 0) {
            layout.infoFrame = true;
            const std::uint32_t flags = bigEndian32(p + 4);
            const std::size_t bytesAt = xing + ((flags & 1) ? 12 : 8);
            if (!(flags & 1) || frame.size() < xing + 12) return 0;
            layout.headerFrames = bigEndian32(p + 8);
            layout.constantHeader = info;
            if ((flags & 2) && frame.size() >= bytesAt + 4) return bigEndian32(&frame[bytesAt]);
            // Without a byte count: a constant rate's frames are all alike.
            const double each = info ? h.averageLength() : shortestFrame(h);
            return static_cast<std::uint64_t>(*layout.headerFrames * each);
        }
    }
    constexpr std::size_t vbri = 4 + 32;
    if (frame.size() >= vbri + 18 && std::memcmp(&frame[vbri], "VBRI", 4) == 0) {
        layout.infoFrame = true;
        layout.headerFrames = bigEndian32(&frame[vbri + 14]);
        return bigEndian32(&frame[vbri + 10]);
    }
    return 0;
}

} // namespace

double FrameHeader::averageLength() const {
    return samplesPerFrame / 8.0 * bitRate / sampleRate;
}

bool FrameHeader::sameStream(const FrameHeader& o) const {
    return version == o.version && layer == o.layer && sampleRate == o.sampleRate;
}

std::optional<FrameHeader> parseFrameHeader(const unsigned char* b) {
    if (b[0] != 0xFF || (b[1] & 0xE0) != 0xE0) return std::nullopt;
    int versionBits = (b[1] >> 3) & 3;
    int layerBits = (b[1] >> 1) & 3;
    int rateIndex = b[2] >> 4;
    int freqIndex = (b[2] >> 2) & 3;
    if (versionBits == 1 || layerBits == 0 || rateIndex == 0 || rateIndex == 15 || freqIndex == 3)
        return std::nullopt;
    FrameHeader h;
    h.version = versionBits == 3 ? 10 : versionBits == 2 ? 20 : 25;
    h.layer = 4 - layerBits;
    bool mpeg1 = h.version == 10;
    h.bitRate = kBitRates[mpeg1 ? 0 : 1][h.layer - 1][rateIndex] * 1000;
    h.sampleRate = kSampleRates[freqIndex] / (mpeg1 ? 1 : h.version == 20 ? 2 : 4);
    h.channels = (b[3] >> 6) == 3 ? 1 : 2;
    int padding = (b[2] >> 1) & 1;
    if (h.layer == 1) {
        h.samplesPerFrame = 384;
        h.length = (12 * h.bitRate / h.sampleRate + padding) * 4;
    } else {
        h.samplesPerFrame = (h.layer == 3 && !mpeg1) ? 576 : 1152;
        h.length = h.samplesPerFrame / 8 * h.bitRate / h.sampleRate + padding;
    }
    return h;
}

std::uint64_t MpegLayout::audioBytes() const {
    std::uint64_t start = audioStart + (infoFrame ? static_cast<std::uint64_t>(first.length) : 0);
    return audioEnd > start ? audioEnd - start : 0;
}

std::optional<MpegLayout> MpegLayout::read(const std::filesystem::path& file,
                                           std::string& problem) {
    struct stat st {};
    auto opened = openRegularForReading(file, st);
    if (!opened) {
        problem = opened.error();
        return std::nullopt;
    }
    return read(opened.value().get(), static_cast<std::uint64_t>(st.st_size), file, problem);
}

std::optional<MpegLayout> MpegLayout::read(int fd, std::uint64_t fileSize,
                                           const std::filesystem::path& file,
                                           std::string& problem) {
    problem = file.string() + ": not MPEG audio";
    MpegLayout layout;
    layout.fileSize = fileSize;
    // Most files start with a frame right away: one small read holds the ID3v2 header and, when
    // the tag is short, the first frames; the whole window only when there is junk in front.
    const std::vector<unsigned char> head = readAt(fd, 0, kFirstRead);
    std::uint64_t tagEnd = id3v2Size(head);
    std::vector<unsigned char> window;
    if (tagEnd == 0)
        window = head;
    else if (tagEnd < head.size() && head.size() < kFirstRead)
        window.assign(head.begin() + static_cast<std::ptrdiff_t>(tagEnd), head.end());
    else
        window = readAt(fd, tagEnd, kFirstRead);
    auto offset = findFrameRun(window, nullptr);
    if (!offset && window.size() == kFirstRead) {
        window = readAt(fd, tagEnd, kSyncWindow);
        offset = findFrameRun(window, nullptr);
    }
    if (!offset) return std::nullopt;
    layout.audioStart = tagEnd + *offset;
    layout.first = *parseFrameHeader(&window[*offset]);
    layout.audioEnd = layout.fileSize;
    if (layout.fileSize >= layout.audioStart + id3v1::kBlockSize) {
        // A short file's end is in the first read already.
        auto tail = layout.fileSize == head.size()
                        ? std::vector<unsigned char>(head.end() - id3v1::kBlockSize, head.end())
                        : readAt(fd, layout.fileSize - id3v1::kBlockSize, id3v1::kBlockSize);
        if (id3v1::isBlock({reinterpret_cast<const char*>(tail.data()), tail.size()}))
            layout.audioEnd = layout.fileSize - id3v1::kBlockSize;
    }
    std::vector<unsigned char> frame(window.begin() + static_cast<std::ptrdiff_t>(*offset),
                                     window.end());
    frame.resize(std::min<std::size_t>(frame.size(), layout.first.length));
    const std::uint64_t claimed = readInfoHeader(frame, layout);
    // A header that says nothing, or claims more than the file holds, is not trusted: the
    // frames that are there are counted instead.
    if (layout.headerFrames == 0u || claimed > layout.audioEnd - layout.audioStart) {
        layout.headerFrames.reset();
        layout.constantHeader = false;
    }
    problem.clear();
    return layout;
}

bool MpegLayout::sampledConstant(const std::filesystem::path& file) const {
    struct stat st {};
    auto opened = openRegularForReading(file, st);
    return opened && sampledConstant(opened.value().get());
}

bool MpegLayout::sampledConstant(int fd) const {
    constexpr std::size_t kProbe = 4096;
    // Every sample must find a frame: one that finds none may stand in zeros or junk after the
    // audio, and a length taken from the file size would count them as play time.
    for (double at : {0.2, 0.4, 0.6, 0.8}) {
        auto offset = audioStart + static_cast<std::uint64_t>((audioEnd - audioStart) * at);
        std::vector<unsigned char> buf = readAt(fd, offset, kProbe);
        auto found = findFrameRun(buf, &first);
        if (!found || parseFrameHeader(&buf[*found])->bitRate != first.bitRate) return false;
    }
    return true;
}

MpegLayout::FrameWalk MpegLayout::walkFrames(const std::filesystem::path& file) const {
    struct stat st {};
    auto opened = openRegularForReading(file, st);
    return opened ? walkFrames(opened.value().get()) : FrameWalk{};
}

MpegLayout::FrameWalk MpegLayout::walkFrames(int fd) const {
    FrameWalk walk;
    std::uint64_t at = audioStart + (infoFrame ? static_cast<std::uint64_t>(first.length) : 0);
    while (at + 4 <= audioEnd) {
        std::vector<unsigned char> head = readAt(fd, at, 4);
        auto h = head.size() == 4 ? parseFrameHeader(head.data()) : std::nullopt;
        if (h && h->sameStream(first)) {
            std::uint64_t length = std::min<std::uint64_t>(h->length, audioEnd - at);
            walk.bytes += length;
            walk.oneBitRate = walk.oneBitRate && h->bitRate == first.bitRate;
            at += length;
            continue;
        }
        // Damage inside the audio is skipped as the decoder skips it; a window without a frame
        // is where the audio ends.
        std::vector<unsigned char> window =
            readAt(fd, at, std::min<std::uint64_t>(kSyncWindow, audioEnd - at));
        auto next = findFrameRun(window, &first);
        if (!next || *next == 0) break;
        at += *next;
    }
    return walk;
}

} // namespace vantrel
