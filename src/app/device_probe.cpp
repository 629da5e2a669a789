#include "app/device_probe.h"

#include "base/number_text.h"

namespace vantrel {

DeviceProbeResult probeDevices(Mp3Play& player) {
    DeviceProbeResult result;
    std::int32_t count = player.DeviceCount();
    for (std::int32_t i = 0; i < count; ++i)
        if (player.DeviceFormats(i) == kAllWaveFormats)
            result.devices.push_back(player.DeviceName(i));
    if (result.devices.empty()) {
        result.message =
            "No 44100hz 16bit sound cards found from " + numberText(count) +
            " Wave Devices tested\r\nVantrel can be used for Decoding to Wave files Only";
        result.devices = {"No Sound Card Available"};
    }
    return result;
}

} // namespace vantrel
