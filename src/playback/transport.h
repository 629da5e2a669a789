#pragma once

#include "base/signal.h"
#include "platform/dialogs.h"
#include "platform/mp3_play.h"
#include "platform/timer.h"
#include "playback/fader_control.h"
#include "playback/playback_state.h"
#include "playback/time_display.h"
#include "settings/ini_store.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

// What the transport last did with the track, as the ticker reports it.
enum class PlayStatus { None, Playing, Paused, Stopped, OpenError, Finished };
// The status in the program's own words ("Playing", …); empty before anything happened.
std::string_view playStatusText(PlayStatus status);

// The row of playing controls: Play, Stop, Pause, the shuttle, tempo and the speaker mutes,
// with the tray menu's copies. It decides what the buttons, lights and boxes show; the window
// only renders that and reports presses.
class Transport {
public:
    enum Light { kPlaying = 0, kStopHeld = 1, kPaused = 2, kShuttleBack = 3, kShuttleForward = 4 };
    enum class LineColour { Green, Yellow, Blue };
    static constexpr int kShutDelayInterval = 300;
    static constexpr int kShutlInterval = 50;

    // curFile is asked for at each track start.
    Transport(Mp3Play& player, Dialogs& dialogs, PlaybackState& state, FaderControl& fader,
              TimeDisplay& display, Timer& tmrShutDelay, Timer& tmrShutl,
              std::function<std::string()> curFile);
    Transport(const Transport&) = delete;
    Transport& operator=(const Transport&) = delete;

    // The load step's mute boxes (setting a box runs its click step) and their exit keys.
    void loadMutes(const IniStore& ini);
    void saveMutes(const IniStore& ini) const;

    // cmdPlay element 0, 1, 2: a click on Play, Stop or Pause. The rest of the program calls
    // the named operations.
    void cmdPlay(int element);
    void play();
    void stop();
    void pause();
    // mnuPlayer element i presses cmdPlay element i; Stop also puts the playing light out.
    void mnuPlayer(int element);
    // The Stop button held down by mouse or space bar, and let go.
    void stopHeld(bool down);

    // cmdShutl element 0 (back) or 1 (forward) pressed and released.
    void shuttlePress(int element);
    void shuttleRelease();
    // A jump from outside the window (the desktop's media controls) lands as a shuttle does,
    // and only while the shuttle buttons are enabled. False when it was refused. The time
    // display's landed signal says when the player got there.
    bool landAt(std::int32_t frame);

    // cmdTempo element 0 slows down, 1 speeds up.
    void cmdTempo(int element);

    // chkVol element 0 (right) or 1 (left) set by the user or the settings.
    void chkVol(int element, bool ticked);
    // cmdMute and the tray's mute entry.
    void cmdMute();

    // A tag save closes the playing track's stream so the file can be written, then reopens
    // it: the track plays (or stays paused) from where it was in the re-written file, and
    // shows stopped when it cannot be reopened. Both do nothing while no track is open.
    void releaseFile();
    void reopenFile();

    // A track became current: Play is offered unless one plays.
    void fileIn();
    // The track-end step's part: the transport goes idle with "Finished".
    void trackEnded();
    // No next track can be found.
    void disablePlay();

    bool autoPlay() const { return autoPlay_; }
    void setAutoPlay(bool on);

    bool playEnabled() const { return playEnabled_; }
    bool pauseEnabled() const { return pauseEnabled_; }
    bool stopEnabled() const { return stopEnabled_; }
    bool shuttleEnabled() const { return shuttleEnabled_; }
    bool light(int element) const { return lights_.at(element); }
    LineColour lineColour() const { return lineColour_; }
    int tempo() const { return tempo_; }
    const std::string& txtTempFactor() const { return tempoText_; }
    bool muted(int element) const { return muteBoxes_.at(element); }
    const std::string& mnuMuteCaption() const { return muteCaption_; }
    std::int32_t shuttleFrame() const { return shuttleFrame_; }
    bool shuttling() const { return shuttleStep_ != 0; }
    // Set by Pause and Stop; the window moves the focus to Play and clears it.
    bool takeFocusRequest();
    PlayStatus status() const { return status_; }
    // A track was opened and neither stopped nor refused since; it may be paused or ended.
    bool trackOpen() const { return state_.playing; }

    // Any change of what the buttons, lights and boxes show.
    Signal<> changed;
    // The busy pointer on (true) while a track opens, and off again.
    Signal<bool> busy;
    // A track started playing: the current file, for the ticker's text.
    Signal<const std::string&> trackStarted;
    Signal<PlayStatus> statusChanged;

private:
    bool startTrack();
    bool openCurrent();
    void openFailed();
    void sendVolume();
    void shuttleTick();
    void endShuttle();
    void idleButtons();
    void setStatus(PlayStatus status);

    Mp3Play& player_;
    Dialogs& dialogs_;
    PlaybackState& state_;
    FaderControl& fader_;
    TimeDisplay& display_;
    Timer& tmrShutDelay_;
    Timer& tmrShutl_;
    std::function<std::string()> curFile_;

    bool playEnabled_ = false, pauseEnabled_ = false, stopEnabled_ = false;
    bool shuttleEnabled_ = false;
    std::array<bool, 5> lights_{};
    LineColour lineColour_ = LineColour::Green;
    bool autoPlay_ = false;
    int tempo_ = 100;
    std::string tempoText_ = "+0%";
    std::array<bool, 2> muteBoxes_{}; // element 0 right, 1 left
    std::string muteCaption_ = "&Mute";
    std::int32_t shuttleStep_ = 0, shuttleAccel_ = 0, shuttleFrame_ = 0;
    bool focusRequest_ = false;
    PlayStatus status_ = PlayStatus::None;
    std::string openedFile_;
    struct Released {
        std::string file;
        std::int32_t frame;
    };
    std::optional<Released> released_;
    // A track reopened while paused has not been started: Play starts it.
    bool startOnResume_ = false;
};

} // namespace vantrel
