#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace vantrel::test {

// How to make a test MP3: a sine of known length, rate and bit rate, encoded with LAME.
struct SineMp3 {
    int sampleRate = 44100;
    int channels = 2;
    double seconds = 3.0;
    double frequency = 440.0;
    double amplitude = 0.5;
    int bitRate = 128;          // kbit/s for constant bit rate
    bool variable = false;      // VBR at quality 2 instead
    bool infoHeader = true;     // LAME's Xing/Info frame
    std::size_t id3v2Bytes = 0; // an ID3v2 tag of this size in front, 0 = none
    bool id3v1 = false;         // a 128-byte ID3v1 tag at the end
};

struct EncodedMp3 {
    std::int64_t frames = 0;  // audio frames as LAME counts them (the info frame not included)
    std::int64_t samples = 0; // per channel, as given to the encoder
};

// Writes the file; throws on failure (a test's own setup failing is a broken test).
EncodedMp3 writeSineMp3(const std::filesystem::path& file, const SineMp3& shape);

} // namespace vantrel::test
