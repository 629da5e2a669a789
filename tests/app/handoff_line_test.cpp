#include "app/handoff_line.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using Args = std::vector<std::string>;

TEST(HandOffLine, FormatOfAStartsLine) {
    struct Case {
        Args arguments;
        std::optional<std::string> line;
    } cases[] = {
        {{}, std::nullopt},
        {{R"(/m/say "hi".mp3)"}, R"("/m/say ""hi"".mp3")"},
        {{""}, R"("")"},
        {{"/home/me/newmusic/a.mp3"}, "/home/me/newmusic/a.mp3"},
        {{"/m/a.mp3", "/new"}, ""},
        {{"/m/before.mp3", "/NeW", "/m/a b.mp3", "/new", "/c.mp3"}, R"("/m/a b.mp3" /new /c.mp3)"},
        {{"/new/x.mp3"}, "/new/x.mp3"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(handOffLine(c.arguments), c.line) << ::testing::PrintToString(c.arguments);
    }
}

TEST(HandOffLine, ArgumentsSurviveTheRoundTrip) {
    const Args samples[] = {
        {"/m/a.mp3"},
        {"/m/a.mp3", "/m/b c.mp3", "", "/x"},
        {R"(")", R"("")", R"(a "quoted" b)", R"(end")", R"("start)"},
        {"  leading and trailing  ", "é/ünïcødé ♪.mp3"},
    };
    for (const auto& arguments : samples) {
        EXPECT_EQ(splitArguments(composeArguments(arguments)), arguments)
            << composeArguments(arguments);
    }
}

TEST(HandOffLine, SplittingOddTextAlwaysMovesOn) {
    struct Case {
        const char* line;
        Args arguments;
    } cases[] = {
        {"   \t ", {}},
        {"  /m/a.mp3   /m/b.mp3  ", {"/m/a.mp3", "/m/b.mp3"}},
        {R"("/m/unterminated quote)", {"/m/unterminated quote"}},
        {R"("/m/a"b.mp3 c)", {"/m/ab.mp3", "c"}},
        {R"(/m/a"b.mp3)", {R"(/m/a"b.mp3)"}},
        {R"("""")", {R"(")"}},
        {R"("" "")", {"", ""}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(splitArguments(c.line), c.arguments) << c.line;
}

TEST(HandOffLine, WhatEachLineGivesToInfile) {
    using A = HandOffArgument;
    struct Case {
        const char* line;
        std::vector<HandOffArgument> given;
    } cases[] = {
        {"/m/a.mp3 /m/b.mp3", {A{"", "/m/a.mp3"}, A{"", "/m/b.mp3"}}},
        {R"("/new music/a.mp3")", {A{"", "/new music/a.mp3"}}},
        {"/PLAY /m/a.mp3", {A{"/PLAY", "/m/a.mp3"}}},
        {"/Tag /m/a.mp3 /m/b.mp3", {A{"/Tag", "/m/a.mp3"}, A{"/Tag", "/m/b.mp3"}}},
        {"/Que", {A{"/Que", ""}}},
        {"/m/a.mp3 /Play /m/b.mp3", {A{"", "/m/a.mp3"}, A{"", "/Play"}, A{"", "/m/b.mp3"}}},
        {"   ", {A{}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(lineArguments(c.line), c.given) << c.line;
}

// One start's odd quote must not swallow the lines of the starts after it.
TEST(HandOffLine, EveryLineEndsAtItsLineEnd) {
    EXPECT_EQ(splitLines("a\r\nb\nc"), (Args{"a", "b", "c"}));
    EXPECT_EQ(splitLines("\r\n\r\nx\r\n"), (Args{"", "", "x"}));
    EXPECT_EQ(splitLines("\"/m/odd.mp3 /m/b.mp3\r\n/m/c.mp3\r\n\"/m/d e.mp3\"\r\n"),
              (Args{"\"/m/odd.mp3 /m/b.mp3", "/m/c.mp3", "\"/m/d e.mp3\""}));
    EXPECT_EQ(splitLines(""), Args{});
}

} // namespace
} // namespace vantrel
