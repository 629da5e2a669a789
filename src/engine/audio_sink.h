#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "base/result.h"

struct out123_struct;

namespace vantrel {

// Owns one libout123 handle: a sound server sink or a wave file, fed 16-bit samples.
class AudioSink {
public:
    AudioSink();
    ~AudioSink();
    AudioSink(const AudioSink&) = delete;
    AudioSink& operator=(const AudioSink&) = delete;

    // device "" = the server's default output.
    Result openDevice(const std::string& device);
    // Refuses to write onto `source` (the file being decoded) under any name: a hard link or a
    // symbolic link to it would otherwise be truncated before a byte of it is read.
    Result openWave(const std::string& path, const std::string& source);
    Result start(long rate, int channels);
    // Blocks while a live device is busy.
    Result write(std::span<const std::int16_t> samples);
    void pause();
    void resume();
    // Throws away what the device has not played yet (a seek or a stop).
    void drop();
    // Plays out what the device holds, then closes; a wave file gets its final header here.
    void close();
    // Closes and removes the wave file this sink made (a regular file, still the one it
    // opened): a decode that failed leaves nothing that looks like a whole track.
    void discardWave();
    bool live() const { return live_; }

private:
    Result failure(const std::string& doing);
    std::string target_; // what failures name: the wave file, or the sound device
    std::uint64_t waveDevice_ = 0, waveInode_ = 0; // the wave file opened, 0 for none
    out123_struct* handle_ = nullptr;
    bool opened_ = false;
    bool live_ = false;
};

} // namespace vantrel
