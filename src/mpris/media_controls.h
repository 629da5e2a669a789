#pragma once

#include "base/signal.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vantrel {

class Fader;
class PlaylistCommands;
class PlaylistFiles;
class PlaylistModel;
class TimeDisplay;
class TrackSequencer;
class Transport;

// The desktop's media controls (panel widget, lock screen, media keys, headset buttons) over
// the player's transport and playlist. Every command takes the path of the window's control it
// stands for, so a disabled button stays disabled for the desktop too. The state is kept as a
// snapshot so that only what really changed is announced.
class MediaControls {
public:
    enum class Status { Playing, Paused, Stopped };

    // The current track as the desktop shows it. Times are in microseconds.
    struct Track {
        std::string id; // a D-Bus object path, new for every track made current
        std::optional<std::int64_t> length;
        std::string title, artist, album, url;
        std::string artUrl; // the cover's copy in the cache, or empty
        bool operator==(const Track&) const = default;
    };

    struct State {
        Status status = Status::Stopped;
        Track track;
        double volume = 0.0; // 0..1
        bool canGoNext = false, canGoPrevious = false, canPlay = false, canPause = false,
             canSeek = false;
        bool loop = false, shuffle = false; // the Loop and Rnd boxes
        bool operator==(const State&) const = default;
    };

    // The id of "no track" the desktop's protocol reserves.
    static constexpr const char* kNoTrack = "/org/mpris/MediaPlayer2/TrackList/NoTrack";

    // What the controls drive and show.
    struct Parts {
        Transport& transport;
        PlaylistModel& playlist;
        PlaylistFiles& files;       // opens a playlist handed over as an address
        PlaylistCommands& commands; // adds a track handed over as an address
        TimeDisplay& timeDisplay;   // position and measured length
        TrackSequencer& sequencer;  // whether the list loops
        Fader& fader;               // the volume
    };

    explicit MediaControls(Parts parts);
    MediaControls(const MediaControls&) = delete;
    MediaControls& operator=(const MediaControls&) = delete;

    // While this says so, every command is refused: the program is busy adding files, and its
    // window takes no clicks either. A queued key press would act long after it was meant.
    void refuseWhile(std::function<bool()> busy) { busy_ = std::move(busy); }
    bool busy() const { return busy_ && busy_(); }

    const State& state() const { return state_; }
    std::int64_t position() const;

    void play();
    void pause();
    void playPause();
    void stop();
    void next();
    void previous();
    // Relative and absolute jumps; a jump past the end goes to the next track.
    void seek(std::int64_t offset);
    void setPosition(const std::string& trackId, std::int64_t position);
    // A file:// address: a playlist is opened, an MP3 is added and played.
    void openUri(const std::string& uri);
    void setVolume(double volume);
    // The Loop and Rnd boxes, as a click on them sets them.
    void setLoop(bool on);
    void setShuffle(bool on);

    // Names of the properties whose values changed, in the desktop protocol's spelling.
    Signal<const std::vector<std::string>&> propertiesChanged;
    // The position after a jump, once the player has landed there.
    Signal<std::int64_t> seeked;

private:
    void refresh();
    void newTrack();
    State snapshot() const;
    int currentRow() const;
    // Makes the row current as a click on it would, and plays it when a track played.
    void goTo(int row);
    void leaveTrack();

    Parts parts_;
    State state_;
    Track track_;
    std::string trackFile_;
    std::string startedFile_;
    std::uint64_t trackNumber_ = 0;
    std::function<bool()> busy_;
    Connections connections_;
};

} // namespace vantrel
