// The MPEG layout probe: any bytes as a file give either nothing or a layout that fits inside
// the file, with a first frame header of a real stream.
#include "fuzz_check.h"

#include "engine/mpeg_layout.h"
#include "metadata/id3v1_block.h"

#include <cmath>
#include <cstdint>

using namespace vantrel;

namespace {

void checkHeader(const FrameHeader& h) {
    FUZZ_CHECK(h.version == 10 || h.version == 20 || h.version == 25);
    FUZZ_CHECK(h.layer >= 1 && h.layer <= 3);
    FUZZ_CHECK(h.bitRate >= 8000 && h.bitRate <= 448000);
    FUZZ_CHECK(h.sampleRate >= 8000 && h.sampleRate <= 48000);
    FUZZ_CHECK(h.channels == 1 || h.channels == 2);
    FUZZ_CHECK(h.samplesPerFrame == 384 || h.samplesPerFrame == 576 || h.samplesPerFrame == 1152);
    // A frame holds at least its own header; the longest is MPEG 2.5 layer II at 160 kbit/s
    // and 8 kHz.
    FUZZ_CHECK(h.length >= 4 && h.length <= 2881);
    const double average = h.averageLength();
    FUZZ_CHECK(std::isfinite(average) && average > 0 && average <= h.length + 4);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (std::size_t i = 0; i + 4 <= size; ++i)
        if (auto h = parseFrameHeader(data + i)) checkHeader(*h);

    const auto file = fuzz::scratchFolder() / "probe.mp3";
    fuzz::writeFile(file, std::string_view(reinterpret_cast<const char*>(data), size));
    std::string problem;
    auto layout = MpegLayout::read(file, problem);
    if (!layout) {
        FUZZ_CHECK(!problem.empty()); // a refusal always says why
        return 0;
    }

    FUZZ_CHECK(layout->fileSize == size);
    // The first frame's header lies inside the file, and the audio lies between it and the end.
    FUZZ_CHECK(layout->audioStart + 4 <= layout->fileSize);
    FUZZ_CHECK(layout->audioStart <= layout->audioEnd && layout->audioEnd <= layout->fileSize);
    FUZZ_CHECK(layout->audioBytes() <= layout->audioEnd - layout->audioStart);
    checkHeader(layout->first);
    auto atStart = parseFrameHeader(data + layout->audioStart);
    FUZZ_CHECK(atStart && atStart->sameStream(layout->first) &&
               atStart->length == layout->first.length);
    FUZZ_CHECK(!layout->headerFrames || *layout->headerFrames > 0);
    // A tag block at the end, whatever the letter case of its marker, is no audio.
    const std::string_view tail(reinterpret_cast<const char*>(data) + size -
                                    std::min<std::size_t>(size, 128),
                                std::min<std::size_t>(size, 128));
    if (size >= layout->audioStart + 128 && id3v1::isBlock(tail))
        FUZZ_CHECK(layout->audioEnd == size - 128);
    FUZZ_CHECK(layout->walkFrames(file).bytes <= layout->audioEnd - layout->audioStart);
    (void)layout->sampledConstant(file);
    return 0;
}
