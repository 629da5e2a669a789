#include <gtest/gtest.h>

#include "metadata/stream_cells.h"
#include "support/fake_player.h"

namespace vantrel::test {
namespace {

TEST(StreamCells, TextsOfPlayTimeSampleRateAndBitRate) {
    struct Case {
        StreamValues values;
        std::array<std::string, 3> cells;
    };
    const Case cases[] = {
        {{205400, 44100, 128000}, {"03:25", " 44.1 Khz", " 128 Kbit"}},
        {{6000000, 11025, 131234}, {"100:00", " 11.025 Khz", " 131.234 Kbit"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.values.totalTime);
        EXPECT_EQ(streamCells(c.values), c.cells);
    }
}

TEST(StreamCells, ProbeOpensReadsAndClosesOrRefusesTheFile) {
    FakePlayer player;
    player.files["/music/a.mp3"] = {26.1f, 205400, 7863, 44100, 128000};
    StreamValues values;
    ASSERT_TRUE(probeStream(player, "/music/a.mp3", values));
    EXPECT_EQ(values.totalTime, 205400);
    EXPECT_EQ(values.sampleRate, 44100);
    EXPECT_EQ(values.bitRate, 128000);
    EXPECT_EQ(player.calls.front(), "OpenStream /music/a.mp3|");
    EXPECT_EQ(player.calls.back(), "CloseStream");
    EXPECT_FALSE(player.open);

    player.calls.clear();
    EXPECT_FALSE(probeStream(player, "/music/missing.mp3", values));
    EXPECT_EQ(player.calls,
              (std::vector<std::string>{"OpenStream /music/missing.mp3|", "CloseStream"}));
}

} // namespace
} // namespace vantrel::test
