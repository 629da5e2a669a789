#pragma once

#include "base/number_text.h"
#include "platform/mp3_play.h"

#include <cstdint>
#include <string>

namespace vantrel {

// What the transport decides and the rest of playback reads: whether a track is open and
// paused, the channel multipliers of the speaker mute boxes, and where decoded audio goes.
struct PlaybackState {
    bool playing = false; // a track was opened; Stop and a failed open clear it
    bool paused = false;
    float leftGain = 1.0f, rightGain = 1.0f;
    std::string waveDest; // empty: the sound device; ".wav": beside the track; else a file
};

// Sends a volume (0..100) to the player, each channel times its mute box's gain.
inline void sendLevels(Mp3Play& player, int volume, const PlaybackState& state) {
    auto level = [volume](float gain) {
        return static_cast<std::int16_t>(roundHalfEven(volume * static_cast<double>(gain)));
    };
    player.SetVolume(level(state.leftGain), level(state.rightGain));
}

} // namespace vantrel
