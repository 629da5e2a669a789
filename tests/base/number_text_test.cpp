#include "base/number_text.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(NumberText, MatchesTheProgramsDecimalForm) {
    // For 0.1 + 0.2, 15 significant digits hide the binary noise.
    struct Case {
        double value;
        const char* text;
    } cases[] = {{44.1, " 44.1"},
                 {128, " 128"},
                 {11.025, " 11.025"},
                 {0.0, " 0"},
                 {-0.0, " 0"},
                 {-2.5, "-2.5"},
                 {1.0 / 3.0, " 0.333333333333333"},
                 {1e15, " 1E+15"},
                 {123456789012345.0, " 123456789012345"},
                 {0.1 + 0.2, " 0.3"}};
    for (const auto& c : cases)
        EXPECT_EQ(numberText(c.value), c.text) << c.value;
    EXPECT_EQ(numberTextTrimmed(75) + numberTextTrimmed(-3), "75-3");
}

TEST(FmtClock, RoundsSecondsAndKeepsMinutesUnbounded) {
    struct Case {
        std::int64_t ms;
        const char* text;
    } cases[] = {
        {65000, "01:05"}, {59500, "01:00"}, {59499, "00:59"},   {1500, "00:02"},
        {2500, "00:02"},  {500, "00:00"},   {3600000, "60:00"}, {6000000, "100:00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fmtClock(Millis::fromWhole(c.ms)), c.text) << c.ms;
    // 1499.96 ms is 1.49996 s, kept as 1.5000 s, which then rounds to the even 2.
    EXPECT_EQ(fmtClock(Millis::fromRaw(14999600)), "00:02");
    EXPECT_EQ(fmtClock(Millis::fromRaw(14994000)), "00:01");
    EXPECT_EQ(fmtClockHours(Millis::fromWhole(3599000)), "59:59");
    EXPECT_EQ(fmtClockHours(Millis::fromWhole(3723000)), "01:02:03");
}

TEST(Millis, FixedPointArithmeticWithFourDecimals) {
    Millis frameTime = Millis::fromDouble(26.122448979591837); // 1152 / 44100 s
    EXPECT_EQ(frameTime.raw(), 261224);
    Millis position = frameTime * 2297; // 60003.1528 ms
    EXPECT_EQ(position.raw(), 600031528);
    EXPECT_EQ(fmtClock(position), "01:00");
    EXPECT_EQ(Millis::fromDouble(2.5 / Millis::kScale).raw(), 2); // half of the last place: to even
    EXPECT_EQ(Millis::fromRaw(25000).roundedWhole() + Millis::fromRaw(35000).roundedWhole(), 6);
    EXPECT_EQ((Millis::fromDouble(1.5) * Millis::fromDouble(0.0001)).raw(), 2); // 0.00015 -> even
    EXPECT_LT(Millis::fromWhole(178799), Millis::fromWhole(180000) - Millis::fromWhole(1200));
}

} // namespace
} // namespace vantrel
