#pragma once

#include <cstdint>
#include <string>

#include "base/result.h"
#include "engine/mpg123_decoder.h"

namespace vantrel {

// The measures of an opened MP3 file, as the player reports them.
struct StreamInfo {
    std::int64_t frames = 0;
    float frameMs = 0;        // milliseconds per frame
    std::int32_t totalMs = 0; // frames x frameMs, so a time display built on frames ends there
    std::int32_t sampleRate = 0;
    std::int32_t channels = 0;
    std::int32_t bitRate = 0;
};

// Opens a file in the decoder and measures it: the frame count of an info header where the
// file has one, a constant bit rate confirmed by sampling, and a full scan only for the rest.
class StreamProbe {
public:
    // On success the decoder is open at the file's first frame.
    static Result open(const std::string& path, Mpg123Decoder& decoder, StreamInfo& info);
};

} // namespace vantrel
