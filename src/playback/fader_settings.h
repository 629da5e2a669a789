#pragma once

#include "playback/fader.h"
#include "settings/ini_store.h"

#include <cstdint>
#include <string>

namespace vantrel {

// The arithmetic and the writes behind the "Volume Fader Control" dialog: the scroll bars'
// opening values, the limiter label, and what OK stores.
class FaderSettings {
public:
    // The scroll bars' ranges; VScrollVolMax holds 100 - the limit, so the top is "no limit".
    static constexpr int kInMin = Fader::kInSpeedMin, kInMax = Fader::kInSpeedMax;
    static constexpr int kOutMin = Fader::kOutSpeedMin, kOutMax = Fader::kOutSpeedMax;
    static constexpr int kVolMaxMin = 0, kVolMaxMax = 100;

    FaderSettings(Fader& fader, const IniStore& ini) : fader_(fader), ini_(ini) {}

    // The values the dialog opens with.
    int fadeInBar() const { return fader_.fadeInSpeed(); }
    int fadeOutBar() const { return fader_.fadeOutSpeed(); }
    int volMaxBar() const { return 100 - fader_.volLimit(); }

    // lblAutoVol for a VScrollVolMax value: the limit in tenths, "8" or "8.5".
    static std::string lblAutoVol(int volMaxValue);
    // The time a fade-out takes from the volume to silence, whole milliseconds.
    static std::int32_t fadeLeadFor(int volume, int fadeOutSpeed);

    // Command1 (OK): the new speeds, lead and limit take effect and are stored. Cancel needs
    // nothing: the dialog simply closes.
    void ok(int fadeIn, int fadeOut, int volMax);

private:
    Fader& fader_;
    const IniStore& ini_;
};

} // namespace vantrel
