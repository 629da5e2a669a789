#include "settings/ini_values.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(IniValues, FlagIsOnlyTheTextOne) {
    EXPECT_TRUE(readFlag("1"));
    for (const char* off : {"", "0", "2", "on", "1.0", " 1", "True"})
        EXPECT_FALSE(readFlag(off)) << off;
    EXPECT_EQ(writeFlag(true), "1");
    EXPECT_EQ(writeFlag(false), "0");
}

TEST(IniValues, NumbersTakeTheNumericPrefixAndRoundHalvesToEven) {
    struct Case {
        const char* text;
        int value;
    } cases[] = {
        {"75", 75},         {"  75", 75}, {"12abc", 12}, {"", 0},    {"abc", 0},
        {"-3", -3},         {"+4", 4},    {"1.0", 1},    {"2.5", 2}, {"3.5", 4},
        {"-2.5", -2},       {".5", 0},    {"1.5x", 2},   {"- 3", 0}, {"40000", 32767},
        {"-40000", -32768}, {"0x10", 0},  {"7.", 7},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readNumber16(c.text), c.value) << '"' << c.text << '"';
    EXPECT_EQ(readNumber32("40000"), 40000);
    EXPECT_EQ(readNumber32("99999999999"), 2147483647);
    EXPECT_EQ(readNumber32("1200.5"), 1200);
    EXPECT_EQ(writeNumber(75), "75");
    EXPECT_EQ(writeNumber(-1), "-1");
    EXPECT_EQ(readCheckState("1"), 1);
    EXPECT_EQ(writeCheckState(0), "0");
}

TEST(IniValues, ColourIsUnsetWhenEmpty) {
    EXPECT_EQ(readColour(""), std::nullopt);
    EXPECT_EQ(readColour("255"), 0x0000FFu);
    EXPECT_EQ(readColour("16777215"), 0xFFFFFFu);
    EXPECT_EQ(readColour("red"), 0u);
    EXPECT_EQ(writeColour(0xFF8000), "16744448");
}

TEST(IniValues, WordFlagConvertsWordsAndNumbers) {
    struct Case {
        const char* text;
        bool value;
    } cases[] = {
        {"True", true}, {"TRUE", true}, {"true", true},   {" True ", true}, {"-1", true},
        {"2", true},    {"0.5", true},  {"False", false}, {"0", false},     {"", false},
        {"yes", false}, {"2x", false},  {"Truex", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readWordFlag(c.text), c.value) << '"' << c.text << '"';
    EXPECT_EQ(writeWordFlag(true), "True");
    EXPECT_EQ(writeWordFlag(false), "False");
}

} // namespace
} // namespace vantrel
