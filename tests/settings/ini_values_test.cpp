#include "settings/ini_values.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

// Stored texts are whatever a user or another program left: each reader must give a usable
// value for odd text, never throw or read past the number.
TEST(IniValues, NumbersTakeTheNumericPrefixAndRoundHalvesToEven) {
    struct Case {
        const char* text;
        int value;
    } cases[] = {
        {"  75", 75},     {"12abc", 12},      {"", 0},      {"abc", 0}, {"+4", 4},
        {"2.5", 2},       {"3.5", 4},         {"-2.5", -2}, {".5", 0},  {"- 3", 0},
        {"40000", 32767}, {"-40000", -32768}, {"0x10", 0},  {"7.", 7},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readNumber16(c.text), c.value) << '"' << c.text << '"';
    EXPECT_EQ(readNumber32("99999999999"), 2147483647);
    EXPECT_FALSE(readFlag(" 1"));
    EXPECT_EQ(readColour(""), std::nullopt) << "not set, so the caller's own colour applies";
    EXPECT_EQ(readColour("red"), 0u);
}

TEST(IniValues, WordFlagConvertsWordsAndWholeNumbers) {
    struct Case {
        const char* text;
        bool value;
    } cases[] = {
        {"TRUE", true}, {" True ", true}, {"-1", true},  {"0.5", true},    {"False", false},
        {"0", false},   {"", false},      {"2x", false}, {"Truex", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readWordFlag(c.text), c.value) << '"' << c.text << '"';
}

} // namespace
} // namespace vantrel
