#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vantrel::test {

// A 16-bit PCM wave file as read back by a test.
struct WaveFile {
    bool valid = false; // RIFF/WAVE with fmt and data chunks whose sizes match the file
    std::string problem;
    int sampleRate = 0;
    int channels = 0;
    int bits = 0;
    std::vector<std::int16_t> samples; // interleaved

    static WaveFile read(const std::filesystem::path& file);
    std::size_t frames() const { return channels ? samples.size() / channels : 0; }
    double seconds() const { return sampleRate ? static_cast<double>(frames()) / sampleRate : 0; }
    std::vector<std::int16_t> channel(int index, std::size_t from = 0,
                                      std::size_t count = SIZE_MAX) const;
};

// Frequency of a tone from its zero crossings (upward ones, with a small dead band so noise
// near zero is not counted).
double zeroCrossingFrequency(const std::vector<std::int16_t>& mono, int sampleRate);
// Root mean square as a fraction of full scale.
double rmsLevel(const std::vector<std::int16_t>& mono);

} // namespace vantrel::test
