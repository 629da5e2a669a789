#pragma once

#include "base/signal.h"
#include "platform/dialogs.h"
#include "platform/random_source.h"
#include "playback/transport.h"
#include "playlist/playlist_model.h"
#include "settings/ini_store.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vantrel {

// What happens when a track ends: the transport goes idle and, with auto play on, the next
// row of the playlist starts, in list order, looping, or at random without repeats. It also
// reports the players' decoder errors.
class TrackSequencer {
public:
    TrackSequencer(PlaylistModel& list, Transport& transport, RandomSource& random,
                   Dialogs& dialogs);
    TrackSequencer(const TrackSequencer&) = delete;
    TrackSequencer& operator=(const TrackSequencer&) = delete;

    // Mp3Play1's ThreadEnded.
    void ThreadEnded();
    // A Failure of the playing instance (Mp3Play1) or of the probing one (Mp3Play2).
    void decoderError(bool playingInstance, const std::string& errStr);

    // chkPLloop and chkPLrand.
    bool loop() const { return loop_; }
    bool random() const { return random_; }
    void setLoop(bool on);
    void setRandom(bool on);
    // The two boxes' keys at start and at exit.
    void load(const IniStore& ini);
    void save(const IniStore& ini) const;

    // Any change of what the window shows.
    Signal<> changed;

private:
    // Makes an unplayed row current, or after 2n - 1 misses clears the marks and, when looping,
    // takes the last row drawn. False: nothing is to be played.
    bool pickRandom();
    int draw(int rows);
    void playCurrent();

    PlaylistModel& list_;
    Transport& transport_;
    RandomSource& randomSource_;
    Dialogs& dialogs_;
    bool loop_ = false;
    bool random_ = false;
};

} // namespace vantrel
