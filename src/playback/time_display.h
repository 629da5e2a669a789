#pragma once

#include "base/number_text.h"
#include "base/signal.h"
#include "platform/mp3_play.h"
#include "platform/timer.h"
#include "playback/fader_control.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vantrel {

// The playing position as the main window shows it: the counter, the progress line with its
// lead marker, and the texts the ticker reads. It also starts the automatic fade-out when the
// position comes within the fade lead of the end.
class TimeDisplay {
public:
    static constexpr int kDispInterval = 500;

    TimeDisplay(Mp3Play& player, Timer& tmrDisp, FaderControl& fader);
    TimeDisplay(const TimeDisplay&) = delete;
    TimeDisplay& operator=(const TimeDisplay&) = delete;

    // Mp3Play1's frame report; only recorded, the timer redraws.
    void ActFrame(std::int32_t frame);
    // A jump to the frame was asked of the player: its next frame report says whether it landed.
    void awaitLanding(std::int32_t frame) { landing_ = frame; }
    std::int32_t curFrame() const { return curFrame_; }

    // A track opened: take its measures from the player and empty the line.
    void trackStart();
    // tmrDisp on and off.
    void start();
    void stop();
    // While a shuttle runs, the timer leaves the display to it.
    void setShuttling(bool shuttling) { shuttling_ = shuttling; }

    void showPosition(std::int32_t frame);

    const std::string& lblCounter() const { return counter_; }
    const std::string& elapsedText() const { return elapsedText_; }
    const std::string& totalText() const { return totalText_; }
    // How far along its track the line's head is, 0..1; the window scales it to its width.
    double lineFraction() const { return fraction_; }
    bool leadVisible() const { return leadVisible_; }
    Millis frameTime() const { return frameTime_; }
    Millis totalTime() const { return totalTime_; }

    // Any change of what the window shows.
    Signal<> changed;
    // The player reported the frame a jump aimed at.
    Signal<std::int32_t> landed;

private:
    Mp3Play& player_;
    Timer& tmrDisp_;
    FaderControl& fader_;
    std::int32_t curFrame_ = 0;
    std::optional<std::int32_t> landing_;
    std::int32_t totalFrames_ = 0;
    Millis frameTime_, totalTime_;
    bool shuttling_ = false;
    std::string counter_ = "00:00";
    std::string elapsedText_;
    std::string totalText_;
    double fraction_ = 0.0;
    bool leadVisible_ = false;
};

} // namespace vantrel
