#include "metadata/stream_cells.h"

#include "base/number_text.h"

namespace vantrel {

bool probeStream(Mp3Play& prober, const std::string& path, StreamValues& values) {
    if (prober.OpenStream(path, "") != 0) {
        prober.CloseStream();
        return false;
    }
    values.totalTime = prober.TotalTime();
    values.sampleRate = prober.SampleRate();
    values.bitRate = prober.BitRate();
    prober.CloseStream();
    return true;
}

std::string playTimeCell(std::int32_t totalTimeMs) {
    return fmtClock(Millis::fromWhole(totalTimeMs));
}

std::string sampleRateCell(std::int32_t hz) {
    return numberText(static_cast<double>(hz) / 1000.0) + " Khz";
}

std::string bitRateCell(std::int32_t bitsPerSecond) {
    return numberText(static_cast<double>(bitsPerSecond) / 1000.0) + " Kbit";
}

std::array<std::string, 3> streamCells(const StreamValues& values) {
    return {playTimeCell(values.totalTime), sampleRateCell(values.sampleRate),
            bitRateCell(values.bitRate)};
}

} // namespace vantrel
