#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "base/file_descriptor.h"
#include "base/result.h"

struct mpg123_handle_struct;

namespace vantrel {

// Owns one libmpg123 handle and the file it reads; decodes to 16-bit samples at the file's own
// rate and channel count.
class Mpg123Decoder {
public:
    enum class Step { Frame, Done, Error };

    Mpg123Decoder();
    ~Mpg123Decoder();
    Mpg123Decoder(const Mpg123Decoder&) = delete;
    Mpg123Decoder& operator=(const Mpg123Decoder&) = delete;

    Result open(const std::string& path);
    // Reads a regular file already open (from its start), and owns it until close().
    Result open(FileDescriptor file);
    void close();

    long rate() const { return rate_; }
    int channels() const { return channels_; }
    // Seconds per frame as the decoder reckons it.
    double secondsPerFrame() const;

    // Walks every frame once; afterwards frameCount() is exact and the position is the start.
    Result scan();
    std::int64_t frameCount() const;

    // Decodes the next frame; on Frame, samples() holds its interleaved samples.
    Step next();
    std::span<const std::int16_t> samples() const { return samples_; }
    // The frame that next() returned last.
    std::int64_t currentFrame() const;
    Result seekFrame(std::int64_t frame);
    std::string lastError() const;

private:
    Result openStream(int fd, const char* path);

    mpg123_handle_struct* handle_ = nullptr;
    FileDescriptor file_{-1};
    bool open_ = false;
    long rate_ = 0;
    int channels_ = 0;
    std::span<const std::int16_t> samples_;
};

} // namespace vantrel
