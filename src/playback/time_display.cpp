#include "playback/time_display.h"

#include <algorithm>
#include <utility>

namespace vantrel {

TimeDisplay::TimeDisplay(Mp3Play& player, Timer& tmrDisp, FaderControl& fader)
    : player_(player), tmrDisp_(tmrDisp), fader_(fader) {
    tmrDisp_.setInterval(kDispInterval);
    tmrDisp_.setEnabled(false);
    tmrDisp_.onTick([this] {
        if (!shuttling_) showPosition(curFrame_);
    });
}

void TimeDisplay::ActFrame(std::int32_t frame) {
    curFrame_ = frame;
    // A seek that failed leaves the old position, which the report shows instead.
    if (auto aimed = std::exchange(landing_, std::nullopt); aimed && *aimed == frame) landed(frame);
}

void TimeDisplay::trackStart() {
    landing_.reset();
    frameTime_ = Millis::fromDouble(player_.FrameTime());
    const Millis total = Millis::fromWhole(player_.TotalTime());
    totalText_ = fmtClock(total);
    totalTime_ = total;
    totalFrames_ = player_.TotalFrames();
    fraction_ = 0.0;
    changed();
}

void TimeDisplay::start() {
    tmrDisp_.setEnabled(true);
}

void TimeDisplay::stop() {
    landing_.reset();
    tmrDisp_.setEnabled(false);
}

void TimeDisplay::showPosition(std::int32_t frame) {
    // A shuttle may run a step past either end; the display stops at the track's ends.
    std::int32_t shown = std::max<std::int32_t>(frame, 0);
    if (totalFrames_ > 0) shown = std::min(shown, totalFrames_);
    // A track without frames (an empty or broken file) draws no line rather than dividing by 0.
    fraction_ =
        totalFrames_ > 0 ? std::clamp(static_cast<double>(shown) / totalFrames_, 0.0, 1.0) : 0.0;
    leadVisible_ = frame != 0;
    const Millis position = frameTime_ * static_cast<std::int64_t>(shown);
    if (fader_.autoFadeOut() && position >= totalTime_ - Millis::fromWhole(fader_.fadeLead()))
        fader_.startAutoFadeOut();
    counter_ = fmtClock(position);
    elapsedText_ = counter_;
    changed();
}

} // namespace vantrel
