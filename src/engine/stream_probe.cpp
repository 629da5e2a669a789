#include "engine/stream_probe.h"

#include <cmath>

#include "engine/mpeg_layout.h"
#include "base/number_text.h"

namespace vantrel {

namespace {

std::int32_t playTime(std::int64_t frames, float frameMs) {
    Millis total = Millis::fromDouble(frameMs) * frames;
    std::int64_t whole = total.roundedWhole();
    return whole > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(whole);
}

} // namespace

Result StreamProbe::open(const std::string& path, Mpg123Decoder& decoder, StreamInfo& info) {
    auto layout = MpegLayout::read(path);
    if (!layout) return Result::fail("not an MPEG audio file: " + path);
    if (Result opened = decoder.open(path); !opened) return opened;

    bool constant = false;
    if (layout->headerFrames) {
        info.frames = *layout->headerFrames;
        constant = layout->constantHeader;
    } else if (layout->sampledConstant(path)) {
        info.frames =
            std::llround(static_cast<double>(layout->audioBytes()) / layout->first.averageLength());
        constant = true;
    } else {
        // Variable bit rate without a header: only a walk over every frame is exact.
        if (Result scanned = decoder.scan(); !scanned) {
            decoder.close();
            return scanned;
        }
        info.frames = decoder.frameCount();
    }
    if (info.frames <= 0) {
        decoder.close();
        return Result::fail("no audio frames in " + path);
    }
    info.sampleRate = static_cast<std::int32_t>(decoder.rate());
    info.channels = decoder.channels();
    info.frameMs = static_cast<float>(layout->first.samplesPerFrame * 1000.0 / info.sampleRate);
    info.totalMs = playTime(info.frames, info.frameMs);
    // A constant rate file reports its nominal rate; averaging would only add rounding noise.
    if (constant) {
        info.bitRate = layout->first.bitRate;
    } else {
        double seconds =
            info.frames * static_cast<double>(layout->first.samplesPerFrame) / info.sampleRate;
        info.bitRate =
            static_cast<std::int32_t>(std::llround(layout->audioBytes() * 8.0 / seconds));
    }
    return Result::ok();
}

} // namespace vantrel
