#include <gtest/gtest.h>

#include "metadata/stream_cells.h"
#include "support/fake_player.h"

namespace vantrel::test {
namespace {

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
