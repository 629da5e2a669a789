#include "app/handoff_collector.h"
#include "app/handoff_file.h"
#include "app/handoff_line.h"

#include "recording_target.h"
#include "support/manual_timer.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vantrel {
namespace {

using Calls = std::vector<std::string>;

struct Collector {
    test::TempDir dir;
    test::RecordingTarget target;
    test::ManualTimer tmrCollect;
    HandOffFile file{dir.path()};
    HandOffCollector collector{file, target, tmrCollect};

    Collector() {
        target.existing = {"/m/a.mp3", "/m/b.mp3", "/m/my song.mp3", "/l/x.m3u",
                           "/new music/a.mp3"};
    }
    void handOff(const std::vector<std::string>& lines) {
        for (const auto& line : lines)
            ASSERT_TRUE(file.appendLine(line));
    }
};

// The last argument decides whether the collector plays or edits.
TEST(Infile, LaterArgumentsOverrideEarlierRequests) {
    struct Case {
        std::vector<std::string> lines;
        bool play;
        bool edit;
    } cases[] = {
        {{"/Play /m/missing.mp3"}, true, false},
        {{"/Tag /m/a.mp3", "/Play /m/b.mp3"}, true, false},
        {{"/Play /m/a.mp3", "/Tag /m/b.mp3"}, false, true},
        {{"/Play /m/a.mp3", "/Que /l/x.m3u"}, false, false},
        {{"/Play /m/a.mp3", ""}, false, false},
        {{"/Play /m/a.mp3", "/PLAY /m/b.mp3"}, false, false},
        {{"/m/a.mp3 /Play /m/b.mp3"}, false, false},
    };
    for (const auto& c : cases) {
        Collector t;
        t.handOff(c.lines);
        t.collector.collect();
        EXPECT_EQ(t.collector.playOnCollect(), c.play) << ::testing::PrintToString(c.lines);
        EXPECT_EQ(t.collector.editOnCollect(), c.edit) << ::testing::PrintToString(c.lines);
    }
}

TEST(Infile, WhatEachArgumentOpensOrAdds) {
    using A = HandOffArgument;
    struct Case {
        HandOffArgument filIn;
        Calls calls;
    } cases[] = {
        {A{"", "/m/missing.mp3"}, {}},
        {A{"", "/new music/a.mp3"}, {"GetListTag /new music/a.mp3"}},
        // A playlist is opened, never offered to the list as a track as well.
        {A{"", "/l/List.M3U"}, {"openPList /l/List.M3U"}},
        {A{"/new", "/l/x.m3u"}, {"openPList /l/x.m3u"}},
        {A{"/Que", ""}, {}},
        {A{"/Play", "/l/x.m3u"}, {"GetListTag /l/x.m3u"}},
        // A switch in another letter case is part of a name that names nothing.
        {A{"/PLAY", "/m/a.mp3"}, {}},
        {A{"/que", "/l/x.m3u"}, {"openPList /que /l/x.m3u"}},
    };
    for (const auto& c : cases) {
        Collector t;
        t.collector.infile(c.filIn);
        EXPECT_EQ(t.target.calls, c.calls) << c.filIn.text();
    }
}

TEST(HandOffCollector, HandlesEveryLineInOrderThenTheRequest) {
    struct Case {
        const char* name;
        std::vector<std::string> rows, lines;
        Calls calls;
    } cases[] = {
        {"lines in order, then row 1 plays",
         {"/m/already.mp3"},
         {"/m/a.mp3 \"/m/my song.mp3\"", "/Que /l/x.m3u", "/Play /m/b.mp3"},
         {"GetListTag /m/a.mp3", "GetListTag /m/my song.mp3", "openPList /l/x.m3u",
          "GetListTag /m/b.mp3", "selectRow 1", "setFileIn /m/already.mp3", "pressPlay"}},
        {"a tag request selects all rows and edits",
         {},
         {"/Tag /m/a.mp3 /m/b.mp3"},
         {"GetListTag /m/a.mp3", "GetListTag /m/b.mp3", "selectAllRows", "editSelected"}},
        {"play on an empty list", {}, {"/Play /m/missing.mp3"}, {}},
        {"tag on an empty list", {}, {"/Tag /m/missing.mp3"}, {}},
        {"no file, nothing happens", {"/m/a.mp3"}, {}, {}},
    };
    for (const auto& c : cases) {
        Collector t;
        t.target.rows = c.rows;
        t.handOff(c.lines);
        t.collector.collect();
        EXPECT_EQ(t.target.calls, c.calls) << c.name;
        EXPECT_TRUE(std::filesystem::is_empty(t.dir.path())) << "the taken file is deleted";
    }
}

TEST(HandOffCollector, TicksOnceAfterArming) {
    Collector t;
    t.handOff({"/m/a.mp3"});
    EXPECT_FALSE(t.tmrCollect.fire()) << "no tick before start-up arms it";
    t.collector.arm();
    EXPECT_EQ(t.tmrCollect.fire(3), 1);
    EXPECT_FALSE(t.tmrCollect.enabled());
    t.handOff({"/m/b.mp3"});
    EXPECT_FALSE(t.tmrCollect.fire());
    EXPECT_EQ(t.target.calls, Calls{"GetListTag /m/a.mp3"});
    EXPECT_TRUE(std::filesystem::exists(t.file.path())) << "a later line waits for the next run";
}

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

TEST(HandOffLine, WhatEachLineGivesToInfile) {
    using A = HandOffArgument;
    struct Case {
        const char* line;
        std::vector<HandOffArgument> given;
    } cases[] = {
        {"  /m/a.mp3   /m/b.mp3  ", {A{"", "/m/a.mp3"}, A{"", "/m/b.mp3"}}},
        {R"("/new music/a.mp3")", {A{"", "/new music/a.mp3"}}},
        {"/PLAY /m/a.mp3", {A{"/PLAY", "/m/a.mp3"}}},
        {"/Tag /m/a.mp3 /m/b.mp3", {A{"/Tag", "/m/a.mp3"}, A{"/Tag", "/m/b.mp3"}}},
        {"/Que", {A{"/Que", ""}}},
        {"/m/a.mp3 /Play /m/b.mp3", {A{"", "/m/a.mp3"}, A{"", "/Play"}, A{"", "/m/b.mp3"}}},
        {"   \t ", {A{}}},
        // Odd quoting always moves on to the next argument.
        {R"("/m/unterminated quote)", {A{"", "/m/unterminated quote"}}},
        {R"("/m/a"b.mp3 c)", {A{"", "/m/ab.mp3"}, A{"", "c"}}},
        {R"(/m/a"b.mp3)", {A{"", R"(/m/a"b.mp3)"}}},
        {R"("""")", {A{"", R"(")"}}},
        {R"("" "")", {A{"", ""}, A{"", ""}}},
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

// A FIFO would make every start wait forever; a link would send a start's arguments into
// another file, which the collector would then read as arguments.
TEST(HandOffFile, OnlyARegularFileIsWrittenOrTaken) {
    test::TempDir dir;
    test::writeFile(dir / "target", "/m/a.mp3\r\n");
    const auto handOff = dir / "quorv.tmp";
    const std::function<void()> makes[] = {
        [&] { ::mkfifo(handOff.c_str(), 0644); },
        [&] { std::filesystem::create_symlink(dir / "target", handOff); },
        [&] { std::filesystem::create_symlink(dir / "nowhere", handOff); },
    };
    ::alarm(10); // a wait on the FIFO ends the test instead of hanging it
    for (const auto& make : makes) {
        std::filesystem::remove(handOff);
        make();
        const auto appended = HandOffFile(dir.path()).appendLine("/m/b.mp3");
        EXPECT_FALSE(appended);
        EXPECT_NE(appended.error().find("quorv.tmp"), std::string::npos) << appended.error();
        EXPECT_FALSE(HandOffFile(dir.path()).take());
    }
    ::alarm(0);
    EXPECT_EQ(test::readFile(dir / "target"), "/m/a.mp3\r\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "nowhere"));
}

// A collector that crashed left its private copy; the next collector handles those lines first,
// unless the copy's owner still runs and is handling them itself.
TEST(HandOffFile, TakesCrLfLinesOnceAfterTheCopiesOfAGoneCollector) {
    test::TempDir dir;
    const pid_t gone = ::fork();
    ASSERT_GE(gone, 0);
    if (gone == 0) ::_exit(0);
    ::waitpid(gone, nullptr, 0);
    const auto copy = [&](pid_t owner) {
        return dir / (".quorv-" + std::to_string(owner) + "-0.taken");
    };
    test::writeFile(copy(gone), "/m/a.mp3\r\n/m/b.mp3\r\n");
    test::writeFile(copy(::getppid()), "/m/live.mp3\r\n");
    const HandOffFile file(dir.path());
    for (const char* line : {"/m/c.mp3 /m/d.mp3", "", "\"/m/ä ö.mp3\""})
        ASSERT_TRUE(file.appendLine(line));
    EXPECT_EQ(test::readFile(dir / "quorv.tmp"), "/m/c.mp3 /m/d.mp3\r\n\r\n\"/m/ä ö.mp3\"\r\n");

    const auto taken = file.take();
    ASSERT_TRUE(taken);
    EXPECT_EQ(taken->lines,
              (Args{"/m/a.mp3", "/m/b.mp3", "/m/c.mp3 /m/d.mp3", "", "\"/m/ä ö.mp3\""}));
    EXPECT_FALSE(std::filesystem::exists(file.path()));
    EXPECT_FALSE(std::filesystem::exists(copy(gone)));
    EXPECT_EQ(taken->privateFiles.size(), 2u);
    for (const auto& privateFile : taken->privateFiles) {
        EXPECT_EQ(privateFile.parent_path(), dir.path());
        std::filesystem::remove(privateFile);
    }
    EXPECT_EQ(test::readFile(copy(::getppid())), "/m/live.mp3\r\n");
    EXPECT_FALSE(file.take()) << "taken once, and nothing left to adopt";
}

// Fifty starts append while a collector takes the file again and again: every line arrives
// exactly once and whole.
TEST(HandOffFile, NoLineIsLostUnderLoad) {
    test::TempDir dir;
    const HandOffFile file(dir.path());
    auto lineOf = [](int start, int n) {
        return "\"/m/start " + std::to_string(start) + "/" + std::string(200, 'x') + "\" " +
               std::to_string(n);
    };
    std::multiset<std::string> expected, collected;
    std::size_t running = 0;
    for (int start = 0; start < 50; ++start, ++running) {
        for (int n = 0; n < 20; ++n)
            expected.insert(lineOf(start, n));
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            bool ok = true;
            for (int n = 0; n < 20; ++n)
                ok = file.appendLine(lineOf(start, n)).isOk() && ok;
            ::_exit(ok ? 0 : 1);
        }
    }
    auto collect = [&] {
        if (auto taken = file.take()) {
            collected.insert(taken->lines.begin(), taken->lines.end());
            for (const auto& privateFile : taken->privateFiles)
                std::filesystem::remove(privateFile);
        }
    };
    while (running > 0) {
        collect();
        int status = 0;
        while (running > 0 && ::waitpid(-1, &status, WNOHANG) > 0) {
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
            --running;
        }
    }
    collect();
    EXPECT_EQ(collected.size(), expected.size());
    EXPECT_TRUE(collected == expected);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

} // namespace
} // namespace vantrel
