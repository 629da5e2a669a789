#include "playback/fader_settings.h"

#include "base/number_text.h"

namespace vantrel {

std::string FaderSettings::lblAutoVol(int volMaxValue) {
    return numberTextTrimmed((100 - volMaxValue) / 10.0);
}

std::int32_t FaderSettings::fadeLeadFor(int volume, int fadeOutSpeed) {
    return static_cast<std::int32_t>(roundHalfEven(volume / 5.0 * fadeOutSpeed));
}

void FaderSettings::ok(int fadeIn, int fadeOut, int volMax) {
    std::int32_t lead = fadeLeadFor(fader_.volume(), fadeOut);
    int limit = 100 - volMax;
    fader_.applySettings(fadeIn, fadeOut, lead, limit, volMax != 100);
    // A failed write is not reported: the setting is simply lost at the next start.
    fader_.saveSpeeds(ini_);
}

} // namespace vantrel
