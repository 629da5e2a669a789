#include "playback/playback_rig.h"
#include "playback/track_sequencer.h"
#include "support/scripted_random.h"
#include <functional>
#include <gtest/gtest.h>

namespace vantrel {
namespace {

using Calls = std::vector<std::string>;
using test::PlaybackRig;

struct TransportTest : ::testing::Test, PlaybackRig {};

// Every transition of the transport's state table, in the order a user meets them. The
// window's buttons go through the control array, so the walk does too.
TEST_F(TransportTest, StateTableWalk) {
    // The level goes before the start, so the first sample has it.
    const Calls open = {"OpenStream /music/a.mp3|", "SetTempo 100", "DecodeOption 32",
                        "SetVolume 100 100", "StartPlay"};
    // enabled: Play, pAuse, Stop, sHuttle; flags: playing, paused, Playing light, Paused light.
    using Step = std::tuple<const char*, std::function<void()>, Calls, const char*, const char*,
                            const char*>;
    auto play = [&] { transport.cmdPlay(0); };
    auto stop = [&] { transport.cmdPlay(1); };
    auto fileIn = [&] { transport.fileIn(); };
    auto gone = [&] { curFile = "/music/gone.mp3", play(); };
    const Step steps[] = {
        {"start", [] {}, {}, "----", "", "----"},
        {"track made current", fileIn, {}, "P---", "", "----"},
        {"Play", play, open, "-ASH", "Playing", "p-L-"},
        {"current track changes while playing", fileIn, {}, "-ASH", "Playing", "p-L-"},
        {"Pause", [&] { transport.cmdPlay(2); }, {"PauseToggle"}, "P---", "Paused", "pa-P"},
        {"Pause again is refused", [&] { transport.pause(); }, {}, "P---", "Paused", "pa-P"},
        {"Play resumes", play, {"PauseToggle", "SetVolume 100 100"}, "-ASH", "Playing", "p-L-"},
        {"Stop", stop, {"SeekFrame 0", "StopPlay"}, "P---", "Stopped", "----"},
        {"Play again", play, open, "-ASH", "Playing", "p-L-"},
        {"Play while playing starts anew", play, open, "-ASH", "Playing", "p-L-"},
        {"track end", [&] { transport.trackEnded(); }, {}, "P---", "Finished", "p---"},
        {"missing file", gone, {"OpenStream /music/gone.mp3|"}, "P---", "File Open Error", "----"},
    };
    auto mark = [](bool on, char c) { return on ? c : '-'; };
    std::vector<PlayStatus> signalled;
    Connection c = transport.statusChanged.connect([&](PlayStatus s) { signalled.push_back(s); });
    for (const auto& [name, action, calls, enabled, status, flags] : steps) {
        SCOPED_TRACE(name);
        EXPECT_EQ(callsOf(action), calls);
        EXPECT_EQ(std::string(
                      {mark(transport.playEnabled(), 'P'), mark(transport.pauseEnabled(), 'A'),
                       mark(transport.stopEnabled(), 'S'), mark(transport.shuttleEnabled(), 'H')}),
                  enabled);
        EXPECT_EQ(playStatusText(transport.status()), status);
        EXPECT_EQ(std::string({mark(state.playing, 'p'), mark(state.paused, 'a'),
                               mark(transport.light(Transport::kPlaying), 'L'),
                               mark(transport.light(Transport::kPaused), 'P')}),
                  flags);
    }
    using enum PlayStatus; // each change signalled once: the new start above is no change
    EXPECT_EQ(signalled,
              (std::vector{Playing, Paused, Playing, Stopped, Playing, Finished, OpenError}));
    ASSERT_EQ(dialogs.shown.size(), 1u) << "the missing file is told";
    EXPECT_EQ(dialogs.shown[0].icon, Dialogs::Icon::Critical);
}

TEST_F(TransportTest, PlayTicksAutoPlayAndAFailedOpenUnticksIt) {
    transport.play();
    EXPECT_TRUE(transport.autoPlay());
    EXPECT_EQ(transport.lineColour(), Transport::LineColour::Green);
    EXPECT_TRUE(tmrDisp.enabled());
    curFile = "";
    transport.play();
    EXPECT_FALSE(transport.autoPlay());
    EXPECT_FALSE(transport.light(Transport::kPlaying)) << "the old track was closed by the open";
    EXPECT_FALSE(tmrDisp.enabled());
    curFile = "/music/a.mp3";
    fader.fadeIn = true; // the fade starts from silence, set before the start
    EXPECT_EQ(callsOf([&] { transport.play(); }),
              (Calls{"OpenStream /music/a.mp3|", "SetTempo 100", "DecodeOption 32", "SetVolume 0 0",
                     "StartPlay", "startAutoFadeIn"}));
}

TEST_F(TransportTest, WaveDestinationNamesTheFileAndWarnsOnEveryStart) {
    // The player's opens: none when refused before the player is asked.
    const std::tuple<std::string, std::string, Calls, bool> cases[] = {
        {"", "/music/a.mp3", {"OpenStream /music/a.mp3|"}, true},
        {".wav", "/music/a.mp3", {"OpenStream /music/a.mp3|/music/a.wav"}, true},
        {"  /out/x.wav ", "/music/a.mp3", {"OpenStream /music/a.mp3|/out/x.wav"}, true},
        {".wav", "a.m", {}, false},
        // Decoding into the track itself would destroy it.
        {"/music/./a.mp3", "/music/a.mp3", {}, false},
        {".wav", "/music/b.wav", {}, false},
    };
    addFile("a.m");
    addFile("/music/b.wav");
    for (const auto& [waveDest, file, calls, opened] : cases) {
        SCOPED_TRACE(waveDest + " " + file);
        dialogs.shown.clear();
        state.waveDest = waveDest;
        curFile = file;
        player.calls.clear();
        transport.play();
        EXPECT_EQ(player.callsTo("OpenStream"), calls);
        EXPECT_EQ(state.playing, opened);
        // A warning before every start to a file, and the open error.
        EXPECT_EQ(dialogs.shown.size(), (waveDest.empty() ? 0u : 1u) + (opened ? 0u : 1u));
    }
    state.waveDest = ".wav";
    curFile = "/music/a.mp3";
    transport.play();
    transport.pause();
    dialogs.shown.clear();
    EXPECT_EQ(callsOf([&] { transport.play(); }), (Calls{"PauseToggle", "SetVolume 100 100"}));
    EXPECT_TRUE(dialogs.shown.empty()) << "a resume neither reopens nor warns";
}

TEST_F(TransportTest, StopUnticksAutoPlayUnlessTheFadeStopMarkStands) {
    const std::tuple<const char*, bool, bool, bool> cases[] = {
        {"plain stop", false, false, false},
        {"fader or tray stop with the mark", true, false, true},
        {"stop button held with the mark", true, true, false},
    };
    for (const auto& [name, marked, heldByUser, autoAfter] : cases) {
        SCOPED_TRACE(name);
        transport.play();
        fader.marked = marked;
        if (heldByUser) {
            transport.stopHeld(true);
            EXPECT_TRUE(transport.light(Transport::kStopHeld));
        }
        transport.stop();
        if (heldByUser) transport.stopHeld(false);
        EXPECT_FALSE(transport.light(Transport::kStopHeld));
        EXPECT_EQ(transport.autoPlay(), autoAfter);
    }
}

TEST_F(TransportTest, TempoButtonsStayWithinRangeAndANewTrackKeepsTheFactor) {
    const std::pair<int, int> presses[] = {{0, 150}, {1, 250}}; // slower past 200, faster past 0
    for (const auto& [element, n] : presses) {
        Calls calls = callsOf([&] {
            for (int i = 0; i < n; ++i)
                transport.cmdTempo(element);
        });
        // The component hears every press, also those at a limit.
        EXPECT_EQ(calls.size(), static_cast<std::size_t>(n));
        EXPECT_EQ(calls.back(), "SetTempo " + std::to_string(transport.tempo()));
    }
    EXPECT_EQ(transport.tempo(), 0);
    EXPECT_EQ(callsOf([&] { transport.play(); })[1], "SetTempo 0");
}

TEST_F(TransportTest, SpeakerMuteBoxesSetTheChannelGains) {
    fader.level = 80;
    const std::tuple<bool, bool, float, float, const char*> cases[] = {
        {false, false, 1, 1, "SetVolume 80 80"},
        {false, true, 0, 1, "SetVolume 0 80"},
        {true, false, 1, 0, "SetVolume 80 0"},
        {true, true, 0, 0, "SetVolume 0 0"},
    };
    for (const auto& [right, left, leftGain, rightGain, call] : cases) {
        transport.chkVol(0, right);
        Calls calls = callsOf([&] { transport.chkVol(1, left); });
        EXPECT_EQ(state.leftGain, leftGain);
        EXPECT_EQ(state.rightGain, rightGain);
        EXPECT_EQ(calls, Calls{call}) << "also when nothing plays";
    }
    EXPECT_EQ(fader.level, 80) << "muting leaves the volume alone";
}

TEST_F(TransportTest, MuteBothTogglesTheBoxesAndTheTrayCaption) {
    std::vector<std::string> captions;
    for (auto [calls, boxes] : {std::pair{Calls{"SetVolume 100 0", "SetVolume 0 0"}, true},
                                {Calls{"SetVolume 0 100", "SetVolume 100 100"}, false}}) {
        EXPECT_EQ(callsOf([&] { transport.cmdMute(); }), calls);
        EXPECT_EQ(transport.muted(0), boxes);
        EXPECT_EQ(transport.muted(1), boxes);
        captions.push_back(transport.mnuMuteCaption());
    }
    EXPECT_NE(captions[0], captions[1]);
    transport.chkVol(1, true);
    EXPECT_EQ(callsOf([&] { transport.cmdMute(); }), Calls{"SetVolume 0 0"})
        << "only the box that changes runs its step";
}

TEST_F(TransportTest, ShuttleStartsThreeQuartersOfAStepAwayAndGrows) {
    // The shuttle's frames at the press, then after each 50 ms tick.
    const std::tuple<std::int32_t, int, std::vector<std::int32_t>> cases[] = {
        {101, 0, {94, 74, 44, 4, -46, -46}},
        {100, 0, {92, 72, 42, 2, -48, -48}},
        {6800, 1, {6808, 6828, 6858, 6898, 6898}}, // 6891 frames: the last step passes the end
    };
    for (const auto& [from, element, frames] : cases) {
        SCOPED_TRACE(from);
        transport.play();
        display.ActFrame(from);
        transport.shuttlePress(element);
        EXPECT_EQ(transport.shuttleFrame(), frames[0]);
        EXPECT_TRUE(
            transport.light(element == 0 ? Transport::kShuttleBack : Transport::kShuttleForward));
        EXPECT_FALSE(transport.light(Transport::kPlaying));
        EXPECT_EQ(transport.lineColour(), Transport::LineColour::Blue);
        EXPECT_FALSE(tmrShutl.fire()) << "the repeat waits for the delay";
        ASSERT_TRUE(tmrShutDelay.fire());
        for (std::size_t i = 1; i < frames.size(); ++i) {
            ASSERT_TRUE(tmrShutl.fire());
            EXPECT_EQ(transport.shuttleFrame(), frames[i]) << i;
        }
        EXPECT_EQ(callsOf([&] { transport.shuttleRelease(); }),
                  Calls{"SeekFrame " + std::to_string(frames.back())});
        EXPECT_TRUE(transport.light(Transport::kPlaying));
        EXPECT_FALSE(transport.light(Transport::kShuttleBack) ||
                     transport.light(Transport::kShuttleForward) || tmrShutl.enabled());
        EXPECT_EQ(transport.lineColour(), Transport::LineColour::Green);
        transport.stop();
    }
}

TEST_F(TransportTest, TheDisplayFollowsTheShuttleNotTheReportedFrame) {
    transport.play();
    display.ActFrame(2297);
    transport.shuttlePress(1);
    EXPECT_EQ(display.lblCounter(), "01:00");
    display.ActFrame(3000); // the component plays on during the shuttle
    tmrDisp.fire();
    EXPECT_EQ(display.lblCounter(), "01:00");
    transport.shuttleRelease();
    display.ActFrame(3000);
    EXPECT_EQ(display.lblCounter(), "01:00") << "a frame report alone redraws nothing";
    tmrDisp.fire();
    EXPECT_EQ(display.lblCounter(), "01:18") << "the timer redraws the last reported frame";
    transport.stop();
    EXPECT_FALSE(tmrDisp.fire());
}

TEST_F(TransportTest, ShuttleIsRefusedUnlessPlayingAndEndsWithStop) {
    transport.shuttlePress(1);
    EXPECT_TRUE(callsOf([&] { transport.shuttleRelease(); }).empty());
    EXPECT_FALSE(tmrShutDelay.enabled());
    transport.play();
    transport.shuttlePress(1);
    transport.shuttlePress(0); // a held key's repeat
    EXPECT_FALSE(transport.light(Transport::kShuttleBack));
    transport.stop();
    EXPECT_FALSE(tmrShutDelay.enabled());
    EXPECT_FALSE(transport.shuttling());
    EXPECT_TRUE(callsOf([&] { transport.shuttleRelease(); }).empty())
        << "a release reaching no running shuttle seeks nowhere";
}

TEST_F(TransportTest, TrayStopPutsThePlayingLightOutAndPauseTurnsTheLineYellow) {
    transport.play();
    transport.mnuPlayer(2);
    EXPECT_EQ(transport.lineColour(), Transport::LineColour::Yellow);
    EXPECT_TRUE(transport.takeFocusRequest());
    EXPECT_FALSE(transport.takeFocusRequest());
    transport.mnuPlayer(0);
    transport.mnuPlayer(1);
    EXPECT_FALSE(transport.light(Transport::kPlaying));
    EXPECT_EQ(transport.status(), PlayStatus::Stopped);
}

using test::PlaybackRig;

struct TimeDisplayTest : ::testing::Test, PlaybackRig {
    // Opens a track of the given measures and takes them, as a track start does.
    void startTrack(float frameMs, std::int32_t frames, std::int32_t ms) {
        player.files[curFile] = test::FakePlayer::Stream{frameMs, ms, frames, 44100, 128000};
        player.OpenStream(curFile, "");
        display.trackStart();
    }
    int fadeOuts() const { return static_cast<int>(player.callsTo("startAutoFadeOut").size()); }
};

TEST_F(TimeDisplayTest, CounterLineAndMarkerFollowTheFrame) {
    startTrack(26.122449f, 10000, 261224);
    const std::tuple<std::int32_t, const char*, double, bool> cases[] = {
        {0, "00:00", 0.0, false},    {2297, "01:00", 0.2297, true}, // 60003.15 ms
        {10000, "04:21", 1.0, true}, {-6, "00:00", 0.0, true}, // a shuttle a step before the start
        {10040, "04:21", 1.0, true},                           // or past the end
    };
    for (const auto& [frame, counter, fraction, lead] : cases) {
        display.showPosition(frame);
        EXPECT_EQ(display.lblCounter(), counter) << frame;
        EXPECT_DOUBLE_EQ(display.lineFraction(), fraction) << frame;
        EXPECT_EQ(display.leadVisible(), lead) << frame;
    }
    EXPECT_EQ(display.totalText(), display.lblCounter()) << "the end shows the total";
}

TEST_F(TimeDisplayTest, AutoFadeOutStartsWithinTheLeadOfTheEndEvenOnAShortTrack) {
    startTrack(26.122449f, 6891, 180000);
    fader.lead = 1200;
    // Fade outs started at a frame; 6844 is 178781.7 ms, 6845 is 178807.8 ms.
    for (auto [autoOut, frame, started] : {std::tuple{true, 6844, 0},
                                           {true, 6845, 1},
                                           {true, 6890, 1},
                                           {false, 6890, 0},
                                           {true, 0, 0}}) {
        fader.fadeOut = autoOut;
        player.calls.clear();
        display.showPosition(frame);
        EXPECT_EQ(fadeOuts(), started) << frame;
    }
    startTrack(26.122449f, 30, 784);
    display.showPosition(0);
    EXPECT_EQ(fadeOuts(), 1) << "shorter than the lead: the fade starts with the track";
    startTrack(26.122449f, 0, 0);
    display.showPosition(50);
    EXPECT_EQ(display.lineFraction(), 0.0) << "no frames, no line";
}

using test::PlaybackRig;

// Rows 1..n named /m/1.mp3 ...; the list's current track is the transport's.
struct TrackSequencerTest : ::testing::Test, PlaybackRig {
    PlaylistModel list;
    test::ScriptedRandom random;
    TrackSequencer sequencer{list, transport, random, dialogs};
    Connection fileIn;

    TrackSequencerTest() {
        fileIn = list.fileIn.connect([this](const std::string& file) {
            curFile = file;
            transport.fileIn();
        });
    }

    static std::string path(int row) { return "/m/" + std::to_string(row) + ".mp3"; }

    void makeList(int rows) {
        list.clearList();
        for (int i = 1; i <= rows; ++i) {
            list.addRow(PlaylistRow{path(i), {}, false});
            addFile(path(i));
        }
    }
    // The user clicks row `row` and plays it; the track then plays to its end.
    void playRow(int row) {
        list.clickRow(row, PlaylistModel::Click::Plain);
        list.listClick();
        transport.play();
    }
    // The path opened by the end of the current track ("OpenStream <path>|"), or "" when
    // nothing started.
    std::string next() {
        player.calls.clear();
        player.raiseThreadEnded();
        sequencer.ThreadEnded();
        auto opened = player.callsTo("OpenStream");
        return opened.empty() ? "" : opened.back().substr(11, opened.back().size() - 12);
    }
    std::vector<int> marks() const {
        std::vector<int> rows;
        for (int i = 1; i <= list.count(); ++i)
            if (list.row(i).selected) rows.push_back(i);
        return rows;
    }
};

TEST_F(TrackSequencerTest, PlaysOnInListOrderAndFinishesAtTheEnd) {
    makeList(5);
    playRow(3);
    EXPECT_EQ(next(), path(4));
    EXPECT_EQ(list.selectedItem(), 4);
    EXPECT_EQ(list.curFile(), path(4));
    EXPECT_EQ(transport.status(), PlayStatus::Playing);
    EXPECT_EQ(next(), path(5));
    EXPECT_EQ(next(), "");
    EXPECT_EQ(transport.status(), PlayStatus::Finished);
    EXPECT_TRUE(transport.playEnabled());
    EXPECT_FALSE(tmrDisp.enabled());
    EXPECT_EQ(display.lblCounter(), "00:00");
}

// From the last row: looping wraps without a draw; random order without loop still draws, and
// a one-row list then has nothing left to play.
TEST_F(TrackSequencerTest, TheLastRowWrapsWhenLoopingOrDrawsInRandomOrder) {
    for (auto [rows, loop, randomOrder, plays, draws] : {std::tuple{5, true, false, true, 0},
                                                         {5, true, true, true, 0},
                                                         {5, false, true, true, 1},
                                                         {1, true, true, true, 0},
                                                         {1, false, true, false, 1}}) {
        SCOPED_TRACE(testing::Message() << rows << loop << randomOrder);
        makeList(rows);
        sequencer.setLoop(loop);
        sequencer.setRandom(randomOrder);
        playRow(rows);
        random.draws = 0;
        random.numbers = {0.0};
        EXPECT_EQ(next(), plays ? path(1) : "");
        EXPECT_EQ(random.draws, draws);
    }
}

TEST_F(TrackSequencerTest, RandomOrderDrawsOnlyUnplayedRows) {
    // What a track's end opens, the draws it takes and the rows then marked.
    using Case =
        std::tuple<const char*, bool, std::deque<double>, std::string, int, std::vector<int>>;
    const Case cases[] = {
        // 0.0 draws row 1 (marked), 0.5 row 3, 0.9 row 5.
        {"second draw hits row 3", false, {0.0, 0.5}, path(3), 2, {1, 2, 3, 4}},
        {"hits row 5", false, {0.9}, path(5), 1, {1, 2, 4, 5}},
        {"nine misses: the end", false, {0, .2, .7, 0, .2, .7, 0, .2, .7}, "", 9, {}},
        {"nine misses, loop: last drawn", true, {0, .2, .7, 0, .2, .7, 0, .2, .3}, path(2), 9, {2}},
    };
    for (const auto& [name, loop, numbers, opened, draws, marked] : cases) {
        SCOPED_TRACE(name);
        makeList(5);
        playRow(2);
        list.setSelected(1, true);
        list.setSelected(4, true);
        list.setSelected(2, true);
        sequencer.setRandom(true);
        sequencer.setLoop(loop);
        random.draws = 0;
        random.numbers = numbers;
        EXPECT_EQ(next(), opened);
        EXPECT_EQ(random.draws, draws);
        EXPECT_EQ(marks(), marked);
    }
}

TEST_F(TrackSequencerTest, AnEmptiedListPlaysNothingAndOffersNoPlay) {
    makeList(3);
    playRow(2);
    sequencer.setLoop(true);
    list.clearList();
    EXPECT_EQ(next(), "");
    EXPECT_FALSE(transport.playEnabled());
    EXPECT_EQ(transport.status(), PlayStatus::Finished);
}

} // namespace
} // namespace vantrel
