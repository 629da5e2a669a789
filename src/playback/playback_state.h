#pragma once

#include <string>

namespace vantrel {

// What the transport decides and the rest of playback reads: whether a track is open and
// paused, the status word the ticker shows, the channel multipliers of the speaker mute
// boxes, and where decoded audio goes.
struct PlaybackState {
    bool playing = false; // a track was opened; Stop and a failed open clear it
    bool paused = false;
    std::string playStatus; // "Playing", "Paused", "Stopped", "File Open Error", "Finished"
    float leftGain = 1.0f, rightGain = 1.0f;
    std::string waveDest; // empty: the sound device; ".wav": beside the track; else a file
};

} // namespace vantrel
