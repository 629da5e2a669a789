#include "support/wave_file.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "support/temp_dir.h"

namespace vantrel::test {

namespace {

// A little-endian number of `bytes` bytes.
std::uint32_t le(const std::string& b, std::size_t at, int bytes = 4) {
    std::uint32_t n = 0;
    for (int i = bytes - 1; i >= 0; --i)
        n = n << 8 | static_cast<std::uint8_t>(b[at + i]);
    return n;
}

} // namespace

WaveFile WaveFile::read(const std::filesystem::path& file) {
    WaveFile wave;
    std::string b = readFile(file);
    if (b.size() < 12 || b.compare(0, 4, "RIFF") != 0 || b.compare(8, 4, "WAVE") != 0) {
        wave.problem = "not a RIFF/WAVE file";
        return wave;
    }
    if (le(b, 4) + 8 != b.size()) wave.problem = "RIFF size does not match the file";
    bool haveFormat = false;
    for (std::size_t at = 12; at + 8 <= b.size();) {
        std::string id = b.substr(at, 4);
        std::size_t size = le(b, at + 4);
        std::size_t body = at + 8;
        if (id == "fmt " && body + 16 <= b.size()) {
            wave.channels = le(b, body + 2, 2);
            wave.sampleRate = static_cast<int>(le(b, body + 4));
            wave.bits = le(b, body + 14, 2);
            haveFormat = true;
        } else if (id == "data") {
            if (body + size != b.size()) wave.problem = "data size does not match the file";
            std::size_t n = std::min(size, b.size() - body) / 2;
            wave.samples.resize(n);
            if (n > 0) std::memcpy(wave.samples.data(), b.data() + body, n * 2);
            wave.valid = haveFormat && wave.bits == 16 && wave.problem.empty();
            return wave;
        }
        at = body + size + (size & 1);
    }
    wave.problem = "no data chunk";
    return wave;
}

std::vector<std::int16_t> WaveFile::channel(int index, std::size_t from, std::size_t count) const {
    std::vector<std::int16_t> out;
    for (std::size_t i = from; i < frames() && out.size() < count; ++i)
        out.push_back(samples[i * channels + index]);
    return out;
}

double zeroCrossingFrequency(const std::vector<std::int16_t>& mono, int sampleRate) {
    constexpr int kDeadBand = 300;
    std::size_t first = 0, last = 0, crossings = 0;
    bool below = false;
    for (std::size_t i = 0; i < mono.size(); ++i) {
        if (mono[i] < -kDeadBand) below = true;
        if (below && mono[i] > kDeadBand) {
            below = false;
            if (crossings == 0) first = i;
            last = i;
            ++crossings;
        }
    }
    if (crossings < 2) return 0;
    return static_cast<double>(crossings - 1) * sampleRate / static_cast<double>(last - first);
}

double rmsLevel(const std::vector<std::int16_t>& mono) {
    if (mono.empty()) return 0;
    double sum = 0;
    for (std::int16_t s : mono)
        sum += static_cast<double>(s) * s;
    return std::sqrt(sum / static_cast<double>(mono.size())) / 32768.0;
}

} // namespace vantrel::test
