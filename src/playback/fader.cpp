#include "playback/fader.h"

#include "base/number_text.h"
#include "settings/ini_values.h"

#include <algorithm>

namespace vantrel {

namespace {

// The fader's keys. A number key that was never written keeps the built-in value: a fresh
// settings file must neither play silently nor halt every fade-in at once.
constexpr SettingKey kVol{kOptionsSection, "vol", 100, 0, 100};
constexpr SettingKey kFadeIn{kOptionsSection, "fade_in"};
constexpr SettingKey kFadeOut{kOptionsSection, "fade_out"};
constexpr SettingKey kFadeHold{kOptionsSection, "fade_hold"};
constexpr SettingKey kVolPause{kOptionsSection, "vol_pause", Fader::kVolLimitPreset, 0, 100};
constexpr SettingKey kPremFade{kOptionsSection, "prem_fade"};
constexpr SettingKey kVolIn{kOptionsSection, "vol_in", Fader::kInSpeedPreset, Fader::kInSpeedMin,
                            Fader::kInSpeedMax};
constexpr SettingKey kVolOut{kOptionsSection, "vol_out", Fader::kOutSpeedPreset,
                             Fader::kOutSpeedMin, Fader::kOutSpeedMax};

} // namespace

Fader::Fader(Mp3Play& Mp3Play1, Timer& tmrVolume, const PlaybackState& state)
    : player_(Mp3Play1), tmrVolume_(tmrVolume), state_(state) {
    tmrVolume_.setEnabled(false);
    tmrVolume_.setInterval(kDesignInterval);
    tmrVolume_.onTick([this] { tmrVolume_Timer(); });
}

void Fader::loadVolume(const IniStore& ini) {
    volume_ = kVol.number(ini);
    showLevel(volume_);
    changed();
}

void Fader::loadFadeSettings(const IniStore& ini) {
    bool fadeIn = kFadeIn.flag(ini);
    menu_.inChecked = fadeIn;
    menu_.outEnabled = fadeIn;
    fadeFree_ = fadeIn;
    menu_.outChecked = kFadeOut.flag(ini);
    bool hold = kFadeHold.flag(ini);
    menu_.holdChecked = hold;
    menu_.stopEnabled = hold;

    volLimit_ = kVolPause.number(ini);
    if (volLimit_ != 100) limitArmed_ = true;
    fadeLead_ = readNumber32(kPremFade.text(ini));
    fadeInSpeed_ = kVolIn.number(ini);
    fadeOutSpeed_ = kVolOut.number(ini);
    changed();
}

void Fader::saveVolume(const IniStore& ini) const {
    kVol.putNumber(ini, volume_);
}

void Fader::saveFadeMenu(const IniStore& ini) const {
    kFadeIn.putFlag(ini, menu_.inChecked);
    kFadeOut.putFlag(ini, menu_.outChecked);
    kFadeHold.putFlag(ini, menu_.holdChecked);
}

void Fader::saveSpeeds(const IniStore& ini) const {
    IniStore::Batch batch = ini.beginBatch();
    kVolPause.putNumber(ini, volLimit_);
    kPremFade.putNumber(ini, fadeLead_);
    kVolIn.putNumber(ini, fadeInSpeed_);
    kVolOut.putNumber(ini, fadeOutSpeed_);
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
