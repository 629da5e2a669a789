#include "engine/sound_devices.h"

#include <cstdlib>
#include <memory>
#include <out123.h>

namespace vantrel {

namespace {

struct HandleDeleter {
    void operator()(out123_handle* h) const { out123_del(h); }
};
using Handle = std::unique_ptr<out123_handle, HandleDeleter>;

Handle quietHandle() {
    Handle h(out123_new());
    if (h) out123_param_int(h.get(), OUT123_ADD_FLAGS, OUT123_QUIET);
    return h;
}

// The standard formats in bit order: rates 11.025/22.05/44.1 kHz, each mono 8, stereo 8,
// mono 16, stereo 16.
bool supports(const struct mpg123_fmt* list, int count, long rate, int channels, int encoding) {
    for (int i = 0; i < count; ++i)
        if (list[i].rate == rate && list[i].channels == channels && (list[i].encoding & encoding))
            return true;
    return false;
}

} // namespace

std::vector<SoundDevices::Device> SoundDevices::list() {
    std::vector<Device> devices;
    Handle h = quietHandle();
    if (!h) return devices;
    char** names = nullptr;
    char** descriptions = nullptr;
    // Only the sound server's sinks: ALSA alone lists plug-ins that cannot play without it.
    int count = out123_devices(h.get(), "pulse", &names, &descriptions, nullptr);
    if (count < 0) return devices;
    devices.push_back({"", "Default output"});
    for (int i = 0; i < count; ++i)
        devices.push_back({names[i], descriptions[i] ? descriptions[i] : names[i]});
    out123_stringlists_free(names, descriptions, count);
    if (devices.size() == 1) devices.clear(); // a server without sinks has no default either
    return devices;
}

std::int32_t SoundDevices::formats(const std::string& id) {
    Handle h = quietHandle();
    if (!h || out123_open(h.get(), "pulse", id.empty() ? nullptr : id.c_str()) != OUT123_OK)
        return 0;
    static constexpr long kRates[] = {11025, 22050, 44100};
    struct mpg123_fmt* list = nullptr; // "struct": mpg123.h also has a function of that name
    int count = out123_formats(h.get(), kRates, 3, 1, 2, &list);
    std::int32_t mask = 0;
    int bit = 0;
    for (long rate : kRates) {
        for (int encoding : {MPG123_ENC_UNSIGNED_8, MPG123_ENC_SIGNED_16}) {
            for (int channels : {1, 2}) {
                if (count > 0 && supports(list, count, rate, channels, encoding)) mask |= 1 << bit;
                ++bit;
            }
        }
    }
    std::free(list);
    return mask;
}

} // namespace vantrel
