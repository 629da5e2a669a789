#include "app/core_rig.h"
#include "base/file_url.h"
#include "mpris/media_controls.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vantrel {
namespace {

using Names = std::vector<std::string>;

struct MediaControlsTest : ::testing::Test, test::CoreRig {
    std::unique_ptr<TaggerCore> core;
    std::unique_ptr<MediaControls> media;
    std::string a, b, c;
    std::vector<Names> announced;
    std::vector<std::int64_t> seeks;
    Connections connections;

    void SetUp() override {
        player1.devices = {{"Speakers", 4095}};
        core = start();
        media = std::make_unique<MediaControls>(test::mediaParts(*core));
        connections.push_back(media->propertiesChanged.connect(
            [this](const Names& names) { announced.push_back(names); }));
        connections.push_back(
            media->seeked.connect([this](std::int64_t at) { seeks.push_back(at); }));
        a = track("a.mp3", "Alpha");
        b = track("b.mp3", "Beta");
        c = track("c.mp3", "Gamma");
        for (const std::string& path : {a, b, c})
            core->GetListTag(path);
    }
    void makeCurrent(const std::string& path) {
        core->selectRow(static_cast<std::size_t>(core->playlist().indexOf(path)));
        core->setFileIn(path);
    }
    Transport& transport() { return core->transport(); }
};

// With rows but no track to play, the Play key starts the selected row, else the first.
TEST_F(MediaControlsTest, ThePlayKeyStartsTheSelectedRowElseTheFirst) {
    // The row selected, whether it is then removed (leaving none selected), what plays.
    for (const auto& [selected, removed, played] : {std::tuple{b, false, b}, {c, true, a}}) {
        makeCurrent(selected);
        transport().disablePlay();
        if (removed) core->playlist().removeRow(selected);
        EXPECT_TRUE(media->state().canPlay);
        media->playPause();
        EXPECT_EQ(player1.openPath, played);
        media->stop();
    }
}

TEST_F(MediaControlsTest, PlayPauseAndNextFollowTheTransportsButtons) {
    makeCurrent(a);
    media->playPause();
    EXPECT_EQ(media->state().status, MediaControls::Status::Playing);
    media->playPause();
    EXPECT_EQ(media->state().status, MediaControls::Status::Paused);
    media->playPause();
    EXPECT_EQ(player1.callsTo("OpenStream").size(), 1u) << "a paused track resumes";
    media->pause();
    media->next(); // leaves the paused track behind
    EXPECT_EQ(core->playlist().curFile(), b);
    EXPECT_FALSE(core->playing());
    media->play();
    EXPECT_EQ(player1.openPath, b) << "Play opens the new row rather than resuming the old";
    media->stop();
    EXPECT_EQ(media->state().status, MediaControls::Status::Stopped);
    EXPECT_FALSE(transport().autoPlay()) << "a stop from the bus ends the list";
}

TEST_F(MediaControlsTest, NextAndPreviousWalkTheListAndPlayOnlyWhenATrackPlayed) {
    // The move, whether a track plays and the list loops, the rows before and after, and
    // whether the new row was opened.
    const std::tuple<void (MediaControls::*)(), bool, bool, std::string, std::string, bool>
        steps[] = {
            {&MediaControls::next, true, false, a, b, true},
            {&MediaControls::next, false, false, a, b, false},
            {&MediaControls::previous, true, false, b, a, true},
            {&MediaControls::next, true, false, c, c, false}, // the end, no loop
            {&MediaControls::next, true, true, c, a, true},
            {&MediaControls::previous, false, true, a, c, false},
        };
    for (const auto& [move, playing, loop, from, to, opened] : steps) {
        SCOPED_TRACE(from + " -> " + to);
        core->sequencer().setLoop(loop);
        makeCurrent(from);
        if (playing) core->pressPlay();
        player1.openPath.clear();
        (media.get()->*move)();
        EXPECT_EQ(core->playlist().curFile(), to);
        EXPECT_EQ(player1.openPath, opened ? to : "");
        media->stop();
    }
}

TEST_F(MediaControlsTest, MetadataComesFromTheTagAndTheMeasuredLength) {
    const std::string path =
        trackWith("odd name #1.mp3", TagValues{"Song", "Singer", "Record", "", "", 1});
    core->GetListTag(path);
    makeCurrent(path);
    MediaControls::Track track = media->state().track;
    EXPECT_EQ(track.album, "Record"); // the title and artist: the end-to-end run
    EXPECT_EQ(pathFromFileUrl(track.url), path);
    EXPECT_FALSE(track.length) << "not measured before it opens";
    media->play();
    EXPECT_EQ(media->state().track.length, 180000 * 1000);
    EXPECT_EQ(media->state().track.id, track.id) << "the same track keeps its id";

    media->previous();
    EXPECT_NE(media->state().track.id, track.id);
}

// Loop and shuffle follow the boxes both ways.
TEST_F(MediaControlsTest, OnlyChangedPropertiesAreAnnounced) {
    media->setLoop(true);
    media->setShuffle(true);
    EXPECT_TRUE(core->sequencer().loop() && media->state().loop && core->sequencer().random());
    announced.clear();
    core->sequencer().setRandom(false);
    EXPECT_EQ(announced, std::vector<Names>{{"Shuffle"}});
    makeCurrent(a);
    announced.clear();
    media->setVolume(0.5);
    EXPECT_EQ(announced, std::vector<Names>{{"Volume"}});
    EXPECT_EQ(player1.callsTo("SetVolume").back(), "SetVolume 50 50");
    announced.clear();
    media->play();
    Names all;
    for (const Names& names : announced)
        all.insert(all.end(), names.begin(), names.end());
    for (const char* name : {"PlaybackStatus", "Metadata", "CanPause", "CanSeek"})
        EXPECT_EQ(std::ranges::count(all, name), 1) << name;
}

TEST_F(MediaControlsTest, JumpsAreAnnouncedOnceThePlayerHasLanded) {
    makeCurrent(a);
    const std::string id = media->state().track.id;
    media->seek(1'000'000);
    EXPECT_TRUE(player1.callsTo("SeekFrame").empty()) << "no jump while nothing plays";
    media->play();
    player1.calls.clear();
    media->setPosition(id, 2'612'245); // frame 100 of 26.122449 ms
    EXPECT_EQ(player1.callsTo("SeekFrame"), std::vector<std::string>{"SeekFrame 100"});
    EXPECT_TRUE(seeks.empty()) << "not before the player is there";
    player1.raiseActFrame(100);
    ASSERT_EQ(seeks.size(), 1u);
    EXPECT_EQ(media->position(), seeks.back());
    player1.raiseActFrame(100);
    EXPECT_EQ(seeks.size(), 1u) << "one landing, one announcement";

    media->seek(-10'000'000);
    EXPECT_EQ(player1.callsTo("SeekFrame").back(), "SeekFrame 0");
    player1.raiseActFrame(104); // the seek failed: the track played on
    player1.raiseActFrame(0);
    EXPECT_EQ(seeks.size(), 1u) << "a failed jump is not announced";
    media->setPosition("/net/vantrel/track/0", 0);
    EXPECT_EQ(player1.callsTo("SeekFrame").size(), 2u) << "a stale track id is ignored";

    transport().shuttlePress(1);
    transport().shuttleRelease();
    EXPECT_EQ(seeks.size(), 1u);
    player1.raiseActFrame(transport().shuttleFrame());
    ASSERT_EQ(seeks.size(), 2u) << "a shuttle landing in the window is announced too";
    EXPECT_EQ(seeks.back(), media->position());
    media->seek(200'000'000);
    EXPECT_EQ(player1.openPath, b) << "a jump past the end goes on to the next track";
    transport().setAutoPlay(false);
    player1.raiseActFrame(300);
    player1.raiseThreadEnded();
    EXPECT_EQ(media->position(), 0) << "a track that ended by itself";
}

TEST_F(MediaControlsTest, OpenUriAddsAndPlaysAFileOrOpensAPlaylist) {
    const std::string d = track("d.mp3", "Delta"), e = track("e.mp3", "Echo");
    media->openUri("ftp://host/d.mp3");
    media->openUri(fileUrlFromPath(folder + "missing.mp3"));
    EXPECT_TRUE(player1.callsTo("OpenStream").empty());
    media->openUri(fileUrlFromPath(d));
    EXPECT_EQ(core->playlist().count(), 4);
    EXPECT_EQ(player1.openPath, d);
    EXPECT_EQ(media->state().status, MediaControls::Status::Playing);
    test::writeFile(folder + "l.m3u", e + "\n");
    media->openUri(fileUrlFromPath(folder + "l.m3u"));
    EXPECT_EQ(core->playlist().count(), 5);
    EXPECT_EQ(player1.openPath, d) << "a playlist's tracks are added, not played";
}

// The player's events wait in a queue; a decoder error's box runs its own event loop, in which
// the desktop can start another track before the failed track's end is delivered.
TEST_F(MediaControlsTest, AnEndWaitingBehindAnErrorBoxLeavesTheNextTrackPlaying) {
    makeCurrent(a);
    media->play();
    player1.deferEvents = true;
    player1.raiseFailure(1, "broken frame");
    player1.raiseThreadEnded();
    dialogs.whileMessageShown = [this] { media->next(); };
    player1.releaseEvents();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(player1.openPath, b);
    EXPECT_EQ(transport().status(), PlayStatus::Playing);
    EXPECT_TRUE(core->playing());

    player1.raiseThreadEnded(); // b's own end still counts
    player1.releaseEvents();
    EXPECT_EQ(transport().status(), PlayStatus::Finished);
}

// A key pressed while thousands of files are added would act long after it was meant.
TEST_F(MediaControlsTest, WhileFilesAreAddedTheDesktopsCommandsAreRefused) {
    media->refuseWhile([this] { return core->collecting(); });
    makeCurrent(a);
    media->play();
    const std::string d = track("d.mp3", "Delta"), e = track("e.mp3", "Epsilon");
    int pumped = 0;
    core->setEventPump([&] {
        ++pumped;
        media->next();
        media->pause();
        media->setVolume(0.1);
        media->openUri(fileUrlFromPath(e));
        player1.raiseActFrame(55); // the playing track's own news still arrives
    });
    core->dropPaths({d});
    ASSERT_EQ(pumped, 1);
    EXPECT_EQ(core->playlist().count(), 4) << "the dropped file only";
    EXPECT_EQ(player1.openPath, a);
    EXPECT_EQ(media->state().status, MediaControls::Status::Playing);
    EXPECT_EQ(media->state().volume, 1.0);
    EXPECT_EQ(core->timeDisplay().curFrame(), 55);

    media->next();
    EXPECT_EQ(player1.openPath, b) << "once the files are in, commands work again";
}

} // namespace
} // namespace vantrel
