#include "playback/fader.h"

#include "base/number_text.h"
#include "settings/ini_values.h"

#include <algorithm>

namespace vantrel {

namespace {

// The fader's keys in the options section.
constexpr const char* kVol = "vol";
constexpr const char* kFadeIn = "fade_in";
constexpr const char* kFadeOut = "fade_out";
constexpr const char* kFadeHold = "fade_hold";
constexpr const char* kVolPause = "vol_pause";
constexpr const char* kPremFade = "prem_fade";
constexpr const char* kVolIn = "vol_in";
constexpr const char* kVolOut = "vol_out";

// A key that was never written keeps the built-in value: a fresh settings file must neither
// play silently nor halt every fade-in at once.
int numberOr(const IniStore& ini, const char* key, int fallback, int low, int high) {
    std::string text = ini.getIni(kOptionsSection, key);
    if (text.empty()) return fallback;
    return std::clamp<int>(readNumber16(text), low, high);
}

} // namespace

Fader::Fader(Mp3Play& Mp3Play1, Timer& tmrVolume, const PlaybackState& state)
    : player_(Mp3Play1), tmrVolume_(tmrVolume), state_(state) {
    tmrVolume_.setEnabled(false);
    tmrVolume_.setInterval(kDesignInterval);
    tmrVolume_.onTick([this] { tmrVolume_Timer(); });
}

void Fader::loadVolume(const IniStore& ini) {
    volume_ = numberOr(ini, kVol, 100, 0, 100);
    showLevel(volume_);
    changed();
}

void Fader::loadFadeSettings(const IniStore& ini) {
    bool fadeIn = readFlag(ini.getIni(kOptionsSection, kFadeIn));
    menu_.inChecked = fadeIn;
    menu_.outEnabled = fadeIn;
    fadeFree_ = fadeIn;
    menu_.outChecked = readFlag(ini.getIni(kOptionsSection, kFadeOut));
    bool hold = readFlag(ini.getIni(kOptionsSection, kFadeHold));
    menu_.holdChecked = hold;
    menu_.stopEnabled = hold;

    volLimit_ = numberOr(ini, kVolPause, volLimit_, 0, 100);
    if (volLimit_ != 100) limitArmed_ = true;
    fadeLead_ = readNumber32(ini.getIni(kOptionsSection, kPremFade));
    fadeInSpeed_ = numberOr(ini, kVolIn, fadeInSpeed_, kInSpeedMin, kInSpeedMax);
    fadeOutSpeed_ = numberOr(ini, kVolOut, fadeOutSpeed_, kOutSpeedMin, kOutSpeedMax);
    changed();
}

void Fader::saveVolume(const IniStore& ini) const {
    ini.putIniQuietly(kOptionsSection, kVol, writeNumber(volume_));
}

void Fader::saveFadeMenu(const IniStore& ini) const {
    ini.putIniQuietly(kOptionsSection, kFadeIn, writeFlag(menu_.inChecked));
    ini.putIniQuietly(kOptionsSection, kFadeOut, writeFlag(menu_.outChecked));
    ini.putIniQuietly(kOptionsSection, kFadeHold, writeFlag(menu_.holdChecked));
}

void Fader::saveSpeeds(const IniStore& ini) const {
    ini.putIniQuietly(kOptionsSection, kVolPause, writeNumber(volLimit_));
    ini.putIniQuietly(kOptionsSection, kPremFade, writeNumber(fadeLead_));
    ini.putIniQuietly(kOptionsSection, kVolIn, writeNumber(fadeInSpeed_));
    ini.putIniQuietly(kOptionsSection, kVolOut, writeNumber(fadeOutSpeed_));
}

void Fader::startAutoFadeIn() {
    limitHit_ = false;
    volume_ = 0;
    // Silence at once, so the track does not open at the previous level until the first tick.
    sendVolume(0);
    showLevel(0);
    startRamp(true);
    changed();
}

void Fader::startAutoFadeOut() {
    startRamp(false);
}

void Fader::clearStopMark() {
    if (!menu_.stopChecked) return;
    menu_.stopChecked = false;
    changed();
}

void Fader::volumePressed(int index, bool byKey) {
    if (tmrVolume_.enabled()) fadeFree_ = false;
    if (index == 0) {
        startRamp(true);
        return;
    }
    if (byKey) rearmLimiter();
    startRamp(false);
}

void Fader::volumeReleased() {
    // With one-touch a press on a resting fader runs on; a press that turned a running ramp
    // holds only while the button is down.
    if (!menu_.holdChecked || !fadeFree_) {
        fadeFree_ = true;
        tmrVolume_.setEnabled(false);
    }
}

void Fader::setLevel(int level) {
    tmrVolume_.setEnabled(false);
    fadeFree_ = true;
    volume_ = std::clamp((level + kStep / 2) / kStep * kStep, 0, 100);
    sendVolume(volume_);
    showLevel(volume_);
    changed();
}

void Fader::mnuFadeStop_Click() {
    menu_.stopChecked = !menu_.stopChecked;
    changed();
}

void Fader::mnuFadeHold_Click() {
    bool on = !menu_.holdChecked;
    menu_.holdChecked = on;
    menu_.stopEnabled = on;
    if (!on) menu_.stopChecked = false;
    changed();
}

void Fader::mnuFadeDir_Click(int index) {
    if (index == 1) {
        menu_.outChecked = !menu_.outChecked;
    } else if (menu_.inChecked) {
        menu_.inChecked = false;
        menu_.outEnabled = false;
        menu_.outChecked = false;
        fadeFree_ = false;
    } else {
        menu_.inChecked = true;
        menu_.outEnabled = true;
        fadeFree_ = true;
    }
    changed();
}

void Fader::applySettings(int fadeInSpeed, int fadeOutSpeed, std::int32_t fadeLead, int volLimit,
                          bool limitArmed) {
    fadeInSpeed_ = fadeInSpeed;
    fadeOutSpeed_ = fadeOutSpeed;
    fadeLead_ = fadeLead;
    volLimit_ = volLimit;
    limitArmed_ = limitArmed;
}

void Fader::tmrVolume_Timer() {
    if (fadeUp_)
        rampUp();
    else
        rampDown();
}

void Fader::rampUp() {
    if (volume_ > 100 - kStep) {
        sendVolume(100);
        limitHit_ = false;
        volume_ = 100;
        rearmLimiter();
        tmrVolume_.setEnabled(false);
        fadeFree_ = true;
        return;
    }
    volume_ += kStep;
    if (volume_ > volLimit_ && !limitHit_ && fadeFree_ && limitArmed_) {
        // The player keeps the last level sent; a later press ramps on from here.
        limitHit_ = true;
        tmrVolume_.setEnabled(false);
        return;
    }
    sendVolume(volume_);
    showLevel(volume_);
    changed();
}

void Fader::rampDown() {
    if (volume_ < kStep) {
        sendVolume(0);
        limitHit_ = false;
        rearmLimiter();
        volume_ = 0;
        // Auto play stays on: the transport sees the mark and leaves it ticked.
        if (menu_.stopChecked) stopRequested();
        tmrVolume_.setEnabled(false);
        fadeFree_ = true;
        return;
    }
    volume_ -= kStep;
    sendVolume(volume_);
    showLevel(volume_);
    changed();
}

void Fader::startRamp(bool up) {
    fadeUp_ = up;
    tmrVolume_.setInterval(up ? fadeInSpeed_ : fadeOutSpeed_);
    tmrVolume_.setEnabled(true);
}

void Fader::sendVolume(int level) {
    // While paused the ramp keeps counting; resuming sends the level reached.
    if (state_.paused) return;
    sendLevels(player_, level, state_);
}

void Fader::showLevel(int level) {
    for (int i = 0; i < 10; ++i)
        meter_[i] = i <= level / 10;
}

void Fader::rearmLimiter() {
    if (volLimit_ != 100) limitArmed_ = true;
}

} // namespace vantrel
