#pragma once

#include "playback/audio_output.h"
#include "playback/fader.h"
#include "playback/fader_control.h"
#include "playback/playback_state.h"
#include "playback/time_display.h"
#include "playback/transport.h"
#include "support/fake_player.h"
#include "support/manual_timer.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"

#include <string>
#include <vector>

namespace vantrel::test {

// The fader as the transport sees it; its calls go into the player's call list so that their
// order against the player's calls shows.
struct FakeFader : FaderControl {
    explicit FakeFader(std::vector<std::string>& log) : calls(log) {}
    std::vector<std::string>& calls;
    int level = 100;
    bool fadeIn = false, fadeOut = false, marked = false;
    std::int32_t lead = 0;

    int volume() const override { return level; }
    bool autoFadeIn() const override { return fadeIn; }
    bool autoFadeOut() const override { return fadeOut; }
    std::int32_t fadeLead() const override { return lead; }
    void startAutoFadeIn() override { calls.push_back("startAutoFadeIn"); }
    void startAutoFadeOut() override { calls.push_back("startAutoFadeOut"); }
    bool stopMarked() const override { return marked; }
    void clearStopMark() override { marked = false; }
};

// A transport and time display on doubles, with curFile set by the test.
struct PlaybackRig {
    FakePlayer player;
    ScriptedDialogs dialogs;
    PlaybackState state;
    FakeFader fader{player.calls};
    ManualTimer tmrDisp, tmrShutDelay, tmrShutl;
    std::string curFile = "/music/a.mp3";
    TimeDisplay display{player, tmrDisp, fader};
    Transport transport{player,  dialogs,      state,    fader,
                        display, tmrShutDelay, tmrShutl, [this] { return curFile; }};

    PlaybackRig() { addFile(curFile); }

    // A file the player opens: frames of 26.1224 ms.
    void addFile(const std::string& path, std::int32_t frames = 6891, std::int32_t ms = 180000) {
        player.files[path] = FakePlayer::Stream{26.122449f, ms, frames, 44100, 128000};
    }
    // The player's calls made by one action.
    template <typename Action> std::vector<std::string> callsOf(Action action) {
        std::size_t before = player.calls.size();
        action();
        return {player.calls.begin() + static_cast<std::ptrdiff_t>(before), player.calls.end()};
    }
};

// The fader and the output selection on doubles, with a settings file of their own.
struct OutputRig {
    TempDir dir;
    IniStore ini{dir / "vantrel.ini"};
    FakePlayer player;
    ScriptedDialogs dialogs;
    ManualTimer tmrVolume;
    PlaybackState state;
    Fader fader{player, tmrVolume, state};
    AudioOutput output{player, dialogs, ini, state};
};

} // namespace vantrel::test
