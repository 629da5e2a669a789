#include "playback/track_sequencer.h"

#include "playback/playback_rig.h"
#include "support/scripted_random.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

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
    struct Case {
        const char* name;
        bool loop;
        std::deque<double> numbers;
        std::string next;
        int draws;
        std::vector<int> marks;
    } cases[] = {
        // 0.0 draws row 1 (marked), 0.5 row 3, 0.9 row 5.
        {"second draw hits row 3", false, {0.0, 0.5}, path(3), 2, {1, 2, 3, 4}},
        {"hits row 5", false, {0.9}, path(5), 1, {1, 2, 4, 5}},
        {"nine misses: the end", false, {0, .2, .7, 0, .2, .7, 0, .2, .7}, "", 9, {}},
        {"nine misses, loop: last drawn", true, {0, .2, .7, 0, .2, .7, 0, .2, .3}, path(2), 9, {2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        makeList(5);
        playRow(2);
        list.setSelected(1, true);
        list.setSelected(4, true);
        list.setSelected(2, true);
        sequencer.setRandom(true);
        sequencer.setLoop(c.loop);
        random.draws = 0;
        random.numbers = c.numbers;
        EXPECT_EQ(next(), c.next);
        EXPECT_EQ(random.draws, c.draws);
        EXPECT_EQ(marks(), c.marks);
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

TEST_F(TrackSequencerTest, DecoderErrorsAreShownAndOnlyThePlayingOnesStopAutoPlay) {
    makeList(2);
    playRow(1);
    sequencer.decoderError(false, "bad header");
    EXPECT_TRUE(transport.autoPlay());
    sequencer.decoderError(true, "out of sync");
    EXPECT_FALSE(transport.autoPlay());
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_NE(dialogs.shown[1].text.find("out of sync"), std::string::npos) << "the reason shows";
    EXPECT_EQ(dialogs.shown[1].icon, Dialogs::Icon::Critical);
    EXPECT_EQ(next(), "") << "the end after a decoder error starts nothing";
}

} // namespace
} // namespace vantrel
