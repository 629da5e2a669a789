#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vantrel {

// The sound server's outputs: "the default output" first, then each sink by its description.
class SoundDevices {
public:
    struct Device {
        std::string id; // sink name for the output library; "" = the default output
        std::string description;
    };

    // Empty when no sound server answers.
    static std::vector<Device> list();
    // Bit set of the twelve standard wave formats the device takes (4095 = all).
    static std::int32_t formats(const std::string& id);
};

} // namespace vantrel
