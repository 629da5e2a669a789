#pragma once

#include "platform/mp3_play.h"

#include <optional>
#include <string>
#include <vector>

namespace vantrel {

// The output devices offered for playing: those that take every standard wave format.
struct DeviceProbeResult {
    std::vector<std::string> devices;
    std::optional<std::string> message; // shown when no device qualified
};

constexpr std::int32_t kAllWaveFormats = 4095;

DeviceProbeResult probeDevices(Mp3Play& player);

} // namespace vantrel
