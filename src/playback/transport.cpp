#include "playback/transport.h"

#include "base/ascii_text.h"

#include "base/number_text.h"
#include "settings/ini_values.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <system_error>
#include <utility>

namespace vantrel {

namespace {

const char* const kWaveWarning = "WARNING!!\r\nYou are about to Decode an MP3 to a Wave file.\r\n"
                                 "The resulting Wave file MAY consume a large amount of space\r\n"
                                 "Ensure you have plenty of Free Drive Space available.";
const char* const kOpenError = "File Open Error OR No File Selected to Play";
// The mute boxes' keys in the options section.
constexpr SettingKey kMuteRight{kOptionsSection, "bal_r"};
constexpr SettingKey kMuteLeft{kOptionsSection, "bal_l"};
constexpr int kMaxTempo = 200;
constexpr std::int16_t kDecodeOption = 32;

// Decoding into the file being played would truncate it before a byte is read.
bool sameFile(const std::string& a, const std::string& b) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::equivalent(a, b, ec)) return true;
    return fs::weakly_canonical(a, ec) == fs::weakly_canonical(b, ec) && !ec;
}

std::string tempoText(int tempo) {
    if (tempo > 100) return "-" + std::to_string(tempo - 100) + "%";
    return "+" + std::to_string(100 - tempo) + "%";
}

} // namespace

std::string_view playStatusText(PlayStatus status) {
    switch (status) {
    case PlayStatus::Playing:
        return "Playing";
    case PlayStatus::Paused:
        return "Paused";
    case PlayStatus::Stopped:
        return "Stopped";
    case PlayStatus::OpenError:
        return "File Open Error";
    case PlayStatus::Finished:
        return "Finished";
    case PlayStatus::None:
        break;
    }
    return "";
}

Transport::Transport(Mp3Play& player, Dialogs& dialogs, PlaybackState& state, FaderControl& fader,
                     TimeDisplay& display, Timer& tmrShutDelay, Timer& tmrShutl,
                     std::function<std::string()> curFile)
    : player_(player), dialogs_(dialogs), state_(state), fader_(fader), display_(display),
      tmrShutDelay_(tmrShutDelay), tmrShutl_(tmrShutl), curFile_(std::move(curFile)) {
    tmrShutDelay_.setInterval(kShutDelayInterval);
    tmrShutDelay_.setEnabled(false);
    tmrShutDelay_.onTick([this] {
        tmrShutDelay_.setEnabled(false);
        tmrShutl_.setEnabled(true);
    });
    tmrShutl_.setInterval(kShutlInterval);
    tmrShutl_.setEnabled(false);
    tmrShutl_.onTick([this] { shuttleTick(); });
}

void Transport::cmdPlay(int element) {
    switch (element) {
    case 0:
        return play();
    case 1:
        return stop();
    case 2:
        return pause();
    default:
        return;
    }
}

void Transport::play() {
    busy(true);
    if (!state_.paused) {
        if (!startTrack()) return;
    } else {
        if (std::exchange(startOnResume_, false))
            player_.StartPlay();
        else
            player_.PauseToggle();
        sendVolume();
    }
    busy(false);
    lights_[kPaused] = lights_[kStopHeld] = false;
    lights_[kPlaying] = true;
    playEnabled_ = false;
    pauseEnabled_ = stopEnabled_ = true;
    autoPlay_ = true;
    setStatus(PlayStatus::Playing);
    shuttleEnabled_ = true;
    lineColour_ = LineColour::Green;
    state_.paused = false;
    changed();
}

bool Transport::startTrack() {
    if (!state_.waveDest.empty())
        dialogs_.message(kWaveWarning, "", Dialogs::Buttons::Ok, Dialogs::Icon::None);
    if (!openCurrent()) {
        openFailed();
        return false;
    }
    state_.playing = true;
    startOnResume_ = false;
    openedFile_ = curFile_();
    trackStarted(openedFile_);
    // The user's factor stays from track to track, so what plays is what the box says.
    player_.SetTempo(static_cast<std::int16_t>(tempo_));
    tempoText_ = tempoText(tempo_);
    player_.DecodeOption(kDecodeOption);
    display_.trackStart();
    display_.start();
    // The level is set before the start, so the first sample already has it: a fade-in
    // starts from silence, not from the level the last track ended at.
    if (fader_.autoFadeIn())
        player_.SetVolume(0, 0);
    else
        sendVolume();
    player_.StartPlay();
    if (fader_.autoFadeIn()) fader_.startAutoFadeIn();
    return true;
}

bool Transport::openCurrent() {
    const std::string file = curFile_();
    std::string wave = state_.waveDest;
    if (wave == ".wav") {
        if (file.size() < 4) return false;
        wave = file.substr(0, file.size() - 4) + ".wav";
    }
    wave = std::string(trimmed(wave));
    if (!wave.empty() && sameFile(file, wave)) return false;
    return player_.OpenStream(file, wave) == 0;
}

void Transport::openFailed() {
    dialogs_.message(kOpenError, "", Dialogs::Buttons::Ok, Dialogs::Icon::Critical);
    autoPlay_ = false;
    playEnabled_ = true;
    stopEnabled_ = pauseEnabled_ = false;
    setStatus(PlayStatus::OpenError);
    shuttleEnabled_ = false;
    state_.playing = false;
    // Opening closed whatever played before, so nothing may look as if it still plays.
    lights_[kPlaying] = false;
    display_.stop();
    endShuttle();
    busy(false);
    changed();
}

void Transport::releaseFile() {
    if (!state_.playing) return;
    released_ = Released{openedFile_, display_.curFrame()};
    player_.CloseStream();
}

void Transport::reopenFile() {
    if (!released_) return;
    const Released was = *std::exchange(released_, std::nullopt);
    // Wave output would start its file again from nothing: the track is left stopped.
    if (!state_.waveDest.empty() || player_.OpenStream(was.file, "") != 0) {
        autoPlay_ = false;
        state_.playing = state_.paused = false;
        display_.stop();
        endShuttle();
        display_.showPosition(0);
        lights_[kPlaying] = lights_[kPaused] = false;
        idleButtons();
        setStatus(PlayStatus::Stopped);
        changed();
        return;
    }
    player_.SetTempo(static_cast<std::int16_t>(tempo_));
    player_.DecodeOption(kDecodeOption);
    display_.trackStart();
    player_.SeekFrame(was.frame);
    display_.showPosition(was.frame);
    sendVolume();
    if (state_.paused)
        startOnResume_ = true;
    else
        player_.StartPlay();
}

void Transport::stop() {
    if (!fader_.stopMarked()) autoPlay_ = false;
    state_.playing = state_.paused = false;
    display_.stop();
    endShuttle();
    display_.showPosition(0);
    focusRequest_ = true;
    player_.SeekFrame(0);
    player_.StopPlay();
    lights_[kPlaying] = lights_[kPaused] = false;
    idleButtons();
    setStatus(PlayStatus::Stopped);
    changed();
}

void Transport::pause() {
    // Only a playing track pauses; a second toggle would let the sound run on unseen.
    if (!pauseEnabled_) return;
    endShuttle();
    lineColour_ = LineColour::Yellow;
    lights_[kPaused] = true;
    lights_[kPlaying] = lights_[kStopHeld] = false;
    idleButtons();
    setStatus(PlayStatus::Paused);
    focusRequest_ = true;
    player_.PauseToggle();
    state_.paused = true;
    changed();
}

void Transport::mnuPlayer(int element) {
    cmdPlay(element);
    if (element == 1) {
        lights_[kPlaying] = false;
        changed();
    }
}

void Transport::stopHeld(bool down) {
    lights_[kStopHeld] = down;
    if (down) fader_.clearStopMark();
    changed();
}

void Transport::idleButtons() {
    playEnabled_ = true;
    pauseEnabled_ = stopEnabled_ = false;
    shuttleEnabled_ = false;
}

void Transport::fileIn() {
    if (state_.playing) return;
    playEnabled_ = true;
    changed();
}

void Transport::trackEnded() {
    lights_[kPaused] = lights_[kPlaying] = false;
    display_.stop();
    endShuttle();
    display_.showPosition(0);
    idleButtons();
    setStatus(PlayStatus::Finished);
    changed();
}

void Transport::disablePlay() {
    playEnabled_ = false;
    changed();
}

void Transport::setAutoPlay(bool on) {
    autoPlay_ = on;
    changed();
}

void Transport::shuttlePress(int element) {
    // A held space bar repeats its key-down; only the first one starts a shuttle.
    if (!shuttleEnabled_ || shuttleStep_ != 0 || (element != 0 && element != 1)) return;
    lights_[element == 0 ? kShuttleBack : kShuttleForward] = true;
    lights_[kPlaying] = false;
    lineColour_ = LineColour::Blue;
    shuttleStep_ = element == 0 ? -10 : 10;
    shuttleAccel_ = shuttleStep_;
    shuttleFrame_ = static_cast<std::int32_t>(
        roundHalfEven(display_.curFrame() + 0.75 * static_cast<double>(shuttleStep_)));
    display_.setShuttling(true);
    display_.showPosition(shuttleFrame_);
    tmrShutDelay_.setEnabled(true);
    changed();
}

void Transport::shuttleTick() {
    const std::int32_t total = player_.TotalFrames();
    if (shuttleFrame_ <= 0 || shuttleFrame_ >= total) return;
    shuttleStep_ += shuttleAccel_;
    shuttleFrame_ += shuttleStep_;
    display_.showPosition(shuttleFrame_);
}

void Transport::shuttleRelease() {
    // A release without a running shuttle (its press was refused) must not seek anywhere.
    if (shuttleStep_ == 0) return;
    endShuttle();
    lights_[kPlaying] = true;
    lineColour_ = LineColour::Green;
    player_.SeekFrame(shuttleFrame_);
    // The player keeps a seek within the track.
    display_.awaitLanding(std::clamp(shuttleFrame_, 0, std::max(player_.TotalFrames() - 1, 0)));
    changed();
}

bool Transport::landAt(std::int32_t frame) {
    if (!shuttleEnabled_ || shuttleStep_ != 0) return false;
    frame = std::clamp(frame, 0, std::max(player_.TotalFrames() - 1, 0));
    player_.SeekFrame(frame);
    // The position is read back before the player's next frame report arrives.
    display_.ActFrame(frame);
    display_.awaitLanding(frame);
    display_.showPosition(frame);
    changed();
    return true;
}

void Transport::endShuttle() {
    // Stop, Pause or a track's end may come while a shuttle button is held; its release then
    // never arrives at the disabled button, so the shuttle ends here.
    lights_[kShuttleBack] = lights_[kShuttleForward] = false;
    tmrShutDelay_.setEnabled(false);
    tmrShutl_.setEnabled(false);
    shuttleStep_ = 0;
    display_.setShuttling(false);
}

void Transport::cmdTempo(int element) {
    if (element == 0 && tempo_ < kMaxTempo) ++tempo_;
    if (element == 1 && tempo_ > 0) --tempo_;
    player_.SetTempo(static_cast<std::int16_t>(tempo_));
    tempoText_ = tempoText(tempo_);
    changed();
}

void Transport::chkVol(int element, bool ticked) {
    if (element != 0 && element != 1) return;
    muteBoxes_[element] = ticked;
    state_.leftGain = muteBoxes_[1] ? 0.0f : 1.0f;
    state_.rightGain = muteBoxes_[0] ? 0.0f : 1.0f;
    sendVolume();
    changed();
}

void Transport::cmdMute() {
    const bool both = muteBoxes_[0] && muteBoxes_[1];
    muteCaption_ = both ? "Mute" : "Un Mute";
    // Each box that changes runs the speaker-mute step, as a click on it would.
    for (int element : {0, 1})
        if (muteBoxes_[element] == both) chkVol(element, !both);
    changed();
}

void Transport::sendVolume() {
    sendLevels(player_, fader_.volume(), state_);
}

void Transport::setStatus(PlayStatus status) {
    if (status_ == status) return;
    status_ = status;
    statusChanged(status);
}

void Transport::loadMutes(const IniStore& ini) {
    // Unticked boxes change nothing.
    if (readCheckState(kMuteLeft.text(ini)) == 1) chkVol(1, true);
    if (readCheckState(kMuteRight.text(ini)) == 1) chkVol(0, true);
}

void Transport::saveMutes(const IniStore& ini) const {
    kMuteLeft.put(ini, writeCheckState(muteBoxes_[1] ? 1 : 0));
    kMuteRight.put(ini, writeCheckState(muteBoxes_[0] ? 1 : 0));
}

bool Transport::takeFocusRequest() {
    return std::exchange(focusRequest_, false);
}

} // namespace vantrel
