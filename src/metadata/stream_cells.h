#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/mp3_play.h"

namespace vantrel {

// The three stream values a playlist row shows, as the player reports them.
struct StreamValues {
    std::int32_t totalTime = 0;  // milliseconds
    std::int32_t sampleRate = 0; // Hz
    std::int32_t bitRate = 0;    // bits per second
};

// Opens the file on a probing player, reads its values and closes it again. False when the
// player cannot open the file (then the file is not usable and nothing stays open).
bool probeStream(Mp3Play& prober, const std::string& path, StreamValues& values);

// Field 8: the play time as mm:ss, e.g. "03:25".
std::string playTimeCell(std::int32_t totalTimeMs);
// Field 9: " 44.1 Khz".
std::string sampleRateCell(std::int32_t hz);
// Field 10: " 128 Kbit".
std::string bitRateCell(std::int32_t bitsPerSecond);

// Fields 8, 9 and 10 in order.
std::array<std::string, 3> streamCells(const StreamValues& values);

} // namespace vantrel
