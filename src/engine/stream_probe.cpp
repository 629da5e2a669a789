#include "engine/stream_probe.h"

#include <cmath>
#include <sys/stat.h>

#include "base/file_descriptor.h"
#include "base/number_text.h"
#include "engine/mpeg_layout.h"

namespace vantrel {

namespace {

std::int32_t playTime(std::int64_t frames, float frameMs) {
    Millis total = Millis::fromDouble(frameMs) * frames;
    std::int64_t whole = total.roundedWhole();
    return whole > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(whole);
}

} // namespace

Result StreamProbe::open(const std::string& path, Mpg123Decoder& decoder, StreamInfo& info) {
    // One open serves the layout, the samples and the decoder.
    struct stat st {};
    auto opened = openRegularForReading(path, st);
    if (!opened) return Result::fail(opened.error());
    const int fd = opened.value().get();
    std::string problem;
    auto layout = MpegLayout::read(fd, static_cast<std::uint64_t>(st.st_size), path, problem);
    if (!layout) return Result::fail(problem);
    auto failed = [&](const std::string& why) {
        decoder.close();
        return Result::fail(path + ": " + why);
    };
    if (Result decoding = decoder.open(std::move(opened.value())); !decoding)
        return failed(decoding.error());

    bool constant = false;
    std::uint64_t audioBytes = layout->audioBytes();
    if (layout->headerFrames) {
        info.frames = *layout->headerFrames;
        constant = layout->constantHeader;
    } else if (layout->sampledConstant(fd)) {
        info.frames = std::llround(static_cast<double>(audioBytes) / layout->first.averageLength());
        constant = true;
    } else {
        // Variable bit rate without a header, or audio that ends before the file does: only a
        // walk over every frame is exact. The decoder's walk stops where the frames stop, and
        // reports that as a failure to resync; what it counted up to there is the count.
        Result scanned = decoder.scan();
        info.frames = decoder.frameCount();
        if (!scanned && info.frames <= 0) return failed(scanned.error());
        const MpegLayout::FrameWalk walk = layout->walkFrames(fd);
        audioBytes = walk.bytes;
        // Constant rate audio followed by junk still shows its own rate.
        constant = walk.oneBitRate;
    }
    if (info.frames <= 0) return failed("no audio frames");
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
        info.bitRate = static_cast<std::int32_t>(std::llround(audioBytes * 8.0 / seconds));
    }
    return Result::ok();
}

} // namespace vantrel
