#pragma once

#include "base/signal.h"
#include "platform/mp3_play.h"
#include "platform/timer.h"
#include "playback/fader_control.h"
#include "playback/playback_state.h"
#include "settings/ini_store.h"

#include <array>
#include <cstdint>

namespace vantrel {

// The volume ramp of the playing instance: the volume buttons, the automatic fade-in and
// fade-out, the limiter, the level meter and the "Fade" menu's checks. Every volume change
// of Mp3Play1 goes through here, in steps of 5 on the tmrVolume timer.
class Fader : public FaderControl {
public:
    static constexpr int kDesignInterval = 70;
    static constexpr int kStep = 5;
    // The fade speeds the settings dialog offers (tick intervals in ms); a stored value outside
    // them cannot have come from it, and an interval of 0 would spin the ramp.
    static constexpr int kInSpeedMin = 5, kInSpeedMax = 220;
    static constexpr int kOutSpeedMin = 1, kOutSpeedMax = 120;
    // The speeds and the limit until the settings are read, and for keys never written.
    static constexpr int kInSpeedPreset = 120, kOutSpeedPreset = 60, kVolLimitPreset = 90;

    // The "Fade" menu as the user sees it; the auto and one-touch flags mirror these checks.
    struct MenuState {
        bool stopEnabled = false, stopChecked = false; // mnuFadeStop
        bool holdChecked = false;                      // mnuFadeHold
        bool inChecked = false;                        // mnuFadeDir(0)
        bool outEnabled = false, outChecked = false;   // mnuFadeDir(1)
    };

    Fader(Mp3Play& Mp3Play1, Timer& tmrVolume, const PlaybackState& state);
    Fader(const Fader&) = delete;
    Fader& operator=(const Fader&) = delete;

    // The load step: the volume with the mute boxes, the fade keys last of all; and the exit
    // keys, the volume with the others' and the fade menu's checks at the end.
    void loadVolume(const IniStore& ini);
    void loadFadeSettings(const IniStore& ini);
    void saveVolume(const IniStore& ini) const;
    void saveFadeMenu(const IniStore& ini) const;
    // What the settings dialog's OK stores.
    void saveSpeeds(const IniStore& ini) const;

    // FaderControl
    int volume() const override { return volume_; }
    // Fades follow the wall clock and a wave file is written faster than that, so a fade would
    // write silence: a wave file is written at the set volume instead.
    bool autoFadeIn() const override { return menu_.inChecked && state_.waveDest.empty(); }
    bool autoFadeOut() const override { return menu_.outChecked && state_.waveDest.empty(); }
    std::int32_t fadeLead() const override { return fadeLead_; }
    void startAutoFadeIn() override;
    void startAutoFadeOut() override;
    bool stopMarked() const override { return menu_.stopChecked; }
    void clearStopMark() override;

    // cmdVolume(index) pressed or released by mouse or key; a key press on "Do&wn" re-arms
    // the limiter, a mouse press does not.
    void volumePressed(int index, bool byKey);
    void volumeReleased();
    // A level set from outside the window (the desktop's media controls), on the buttons'
    // steps of 5; a running ramp stops there.
    void setLevel(int level);

    // Clicks on the "Fade" menu's entries.
    void mnuFadeStop_Click();
    void mnuFadeHold_Click();
    void mnuFadeDir_Click(int index);

    // What the fader settings dialog reads and sets.
    int fadeInSpeed() const { return fadeInSpeed_; }
    int fadeOutSpeed() const { return fadeOutSpeed_; }
    int volLimit() const { return volLimit_; }
    bool limitArmed() const { return limitArmed_; }
    void applySettings(int fadeInSpeed, int fadeOutSpeed, std::int32_t fadeLead, int volLimit,
                       bool limitArmed);

    bool oneTouch() const { return menu_.holdChecked; }
    const MenuState& menu() const { return menu_; }
    // Shape4: which of the ten meter segments are lit, bottom first.
    const std::array<bool, 10>& meter() const { return meter_; }

    // Fading out to silence with the stop mark set asks for a press on Stop.
    Signal<> stopRequested;
    // The meter or the menu changed.
    Signal<> changed;

private:
    void tmrVolume_Timer();
    void rampUp();
    void rampDown();
    void startRamp(bool up);
    void sendVolume(int level);
    void showLevel(int level);
    void rearmLimiter();

    Mp3Play& player_;
    Timer& tmrVolume_;
    const PlaybackState& state_;

    int volume_ = 0;
    bool fadeUp_ = true;
    bool fadeFree_ = false;
    int fadeInSpeed_ = kInSpeedPreset;
    int fadeOutSpeed_ = kOutSpeedPreset;
    int volLimit_ = kVolLimitPreset;
    bool limitArmed_ = true;
    bool limitHit_ = false;
    std::int32_t fadeLead_ = 0;
    MenuState menu_;
    std::array<bool, 10> meter_{};
};

} // namespace vantrel
