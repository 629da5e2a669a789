#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace vantrel {

// One MPEG audio frame header, decoded.
struct FrameHeader {
    int version = 0; // 10 = MPEG 1, 20 = MPEG 2, 25 = MPEG 2.5
    int layer = 0;
    int bitRate = 0; // bits per second
    int sampleRate = 0;
    int channels = 0;
    int samplesPerFrame = 0;
    int length = 0; // bytes, header included

    // Average frame length in bytes at this bit rate, padding spread out.
    double averageLength() const;
    bool sameStream(const FrameHeader& other) const;
};

// Null when the four bytes are not a valid header (free format counts as invalid: its length
// cannot be known from the header).
std::optional<FrameHeader> parseFrameHeader(const unsigned char* bytes);

// Where the audio of an MP3 file lies and what its first frame says: enough to know its length
// without decoding it, when the file allows.
struct MpegLayout {
    std::uint64_t fileSize = 0;
    std::uint64_t audioStart = 0; // first frame, after any ID3v2 tag
    std::uint64_t audioEnd = 0;   // before any ID3v1 tag
    FrameHeader first;
    // The first frame is a Xing/Info/VBRI header, which holds no audio.
    bool infoFrame = false;
    // Its frame count, kept only when the bytes it claims fit in the file: a download cut
    // short, or a header written wrong, would otherwise show a length the file does not hold.
    std::optional<std::uint32_t> headerFrames;
    bool constantHeader = false; // "Info": LAME's mark of a constant bit rate file
    std::uint64_t audioBytes() const;

    // Null when the file is not a regular file or no run of valid frames starts near its
    // beginning; then `problem` says which, naming the file.
    static std::optional<MpegLayout> read(const std::filesystem::path& file, std::string& problem);
    // The same from a regular file already open as `fd`, `fileSize` bytes long; `file` only
    // names it in `problem`.
    static std::optional<MpegLayout> read(int fd, std::uint64_t fileSize,
                                          const std::filesystem::path& file, std::string& problem);
    // True when frame headers sampled across the audio all carry the first frame's bit rate.
    // False as well when a sample finds no frame at all: the audio may end before the file.
    bool sampledConstant(const std::filesystem::path& file) const;
    bool sampledConstant(int fd) const;
    // The frames that are there, walking header to header (the info frame left out); data
    // after the last frame does not count.
    struct FrameWalk {
        std::uint64_t bytes = 0;
        bool oneBitRate = true; // every frame has the first frame's bit rate
    };
    FrameWalk walkFrames(const std::filesystem::path& file) const;
    FrameWalk walkFrames(int fd) const;
};

} // namespace vantrel
