#pragma once

#include <sys/types.h>

#include <array>
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
    // The library's own reader makes a system call for every header it peeks at; this one reads
    // the file in blocks, which makes probing thousands of small files several times cheaper.
    struct BlockReader {
        int fd = -1;
        std::int64_t position = 0;
        std::int64_t size = -1; // asked for only when the library seeks from the end
        std::int64_t blockStart = 0;
        std::size_t blockLength = 0;
        std::array<unsigned char, 16384> block{};
    };
    static ssize_t readBlock(void* reader, void* out, std::size_t count);
    static off_t seekBlock(void* reader, off_t offset, int whence);

    mpg123_handle_struct* handle_ = nullptr;
    FileDescriptor file_{-1};
    BlockReader reader_;
    bool open_ = false;
    long rate_ = 0;
    int channels_ = 0;
    std::span<const std::int16_t> samples_;
};

} // namespace vantrel
