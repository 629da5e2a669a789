#include "app/collect_target.h"
#include "app/handoff_collector.h"
#include "app/handoff_file.h"
#include "app/handoff_line.h"
#include "app/instance_lock.h"
#include "app/start_up.h"
#include "base/path_text.h"
#include "support/manual_timer.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"
#include <atomic>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <latch>
#include <set>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace vantrel {
namespace {

using Args = std::vector<std::string>;
using Step = StartUpPlan::Step;

struct StartUpTest : ::testing::Test {
    test::TempDir dir;
    const StartUp startUp{addSlash(dir.path().string()), "1.2.3"};

    // The hand-off file's text, taken away for the next start.
    std::string takeHandOff() {
        const auto file = dir / "quorv.tmp";
        const std::string text = std::filesystem::exists(file) ? test::readFile(file) : "(none)";
        std::filesystem::remove(file);
        return text;
    }
};

// Relative paths travel as absolute ones; a line break cannot travel inside a line, so such a
// name is left out and the start says so.
TEST_F(StartUpTest, WritesTheLineThenEndsOnlyBesideAnotherInstance) {
    const std::string here = std::filesystem::current_path().string();
    struct Case {
        Args arguments;
        bool otherRuns;
        Step step;
        std::string handOff;
        bool handedOff = true;
    } cases[] = {
        {{}, true, Step::endNow, "(none)"},
        {{"/m/a.mp3", "/m/b.mp3"}, false, Step::startFully, "/m/a.mp3 /m/b.mp3\r\n"},
        {{"/m/a.mp3"}, true, Step::endNow, "/m/a.mp3\r\n"},
        {{"/NEW"}, true, Step::startFully, "\r\n"},
        {{"/new/a.mp3", "/news"}, true, Step::endNow, "/new/a.mp3 /news\r\n"},
        {{"--version", "/m/a.mp3"}, false, Step::printAndEnd, "(none)"},
        {{"/m/a.mp3", "--help"}, false, Step::startFully, "/m/a.mp3 --help\r\n"},
        {{"/Play", "music/../a b.mp3"}, true, Step::endNow, "/Play \"" + here + "/a b.mp3\"\r\n"},
        {{"-dash.mp3", "--help"}, true, Step::endNow, here + "/-dash.mp3 --help\r\n"},
        {{"/m/a\nb.mp3", "/m/c.mp3"}, true, Step::endNow, "/m/c.mp3\r\n"},
    };
    for (const auto& c : cases) {
        const auto plan = startUp.Main(c.arguments, [&] { return c.otherRuns; });
        const auto label = ::testing::PrintToString(c.arguments);
        EXPECT_EQ(plan.step, c.step) << label;
        EXPECT_EQ(bool(plan.handOff), c.handedOff) << label;
        EXPECT_EQ(takeHandOff(), c.handOff) << label;
    }
}

// A start that cannot write the hand-off file must not lose its files without a word.
TEST_F(StartUpTest, AHandOffThatFailsIsReported) {
    const StartUp unwritable{addSlash((dir / "gone").string()), "1"};
    for (const bool otherRuns : {true, false}) {
        const auto plan = unwritable.Main({"/m/a.mp3"}, [&] { return otherRuns; });
        EXPECT_FALSE(plan.handOff);
        EXPECT_NE(handOffProblem(plan).find(plan.handOff.error()), std::string::npos);
        test::ScriptedDialogs dialogs;
        reportHandOff(plan, dialogs);
        EXPECT_EQ(dialogs.messages(), std::vector{handOffProblem(plan)});
    }
    test::ScriptedDialogs dialogs;
    reportHandOff(startUp.Main({"/m/a.mp3"}, [] { return false; }), dialogs);
    EXPECT_TRUE(dialogs.shown.empty());
}

// A start that passed some of its files says which it left out, not that it passed none.
TEST_F(StartUpTest, APartialHandOffNamesOnlyWhatWasLeftOut) {
    const auto some = startUp.Main({"/m/a\nb.mp3", "/m/c.mp3"}, [] { return true; });
    const auto none = startUp.Main({"/m/a\nb.mp3"}, [] { return true; });
    const std::string partial = handOffProblem(some), total = handOffProblem(none);
    EXPECT_NE(partial.find("a\nb.mp3"), std::string::npos) << partial;
    EXPECT_EQ(partial.find("c.mp3"), std::string::npos) << partial;
    EXPECT_NE(partial.substr(0, partial.find('\n')), total.substr(0, total.find('\n')));
}

TEST_F(StartUpTest, WindowFlagsOnlyForTheNumberOne) {
    const std::tuple<const char*, bool, bool> cases[] = {
        {nullptr, false, false},
        {"[OPTIONS]\r\nRound=1\r\ngrid=2\r\n", true, false},
        {"[options]\r\nround=\r\ngrid= 1 \r\n", false, true},
        {"[looks]\r\nround=1\r\n", false, false},
    };
    for (const auto& [ini, useRound, useGrid] : cases) {
        std::filesystem::remove(dir / "vantrel.ini");
        if (ini) test::writeFile(dir / "vantrel.ini", ini);
        const auto plan = startUp.Main({}, [] { return false; });
        EXPECT_EQ(plan.useRound, useRound) << (ini ? ini : "no file");
        EXPECT_EQ(plan.useGrid, useGrid) << (ini ? ini : "no file");
    }
}

// A child process that holds the lock until it is killed; its pid, or -1 when it could not.
pid_t holdInChild(const std::filesystem::path& program) {
    int ready[2];
    if (::pipe(ready) != 0) return -1;
    const pid_t pid = ::fork();
    if (pid == 0) {
        InstanceLock lock(program);
        const char held = lock.hold().isOk() ? 'y' : 'n';
        if (::write(ready[1], &held, 1) == 1 && held == 'y') ::pause();
        ::_exit(1);
    }
    char held = 'n';
    ::close(ready[1]);
    if (::read(ready[0], &held, 1) != 1) held = 'n';
    ::close(ready[0]);
    return held == 'y' ? pid : -1;
}

void end(pid_t pid) {
    if (pid <= 0) return; // never kill(-1)
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
}

TEST(InstanceLock, SeesAnotherProcessHoldingTheProgram) {
    test::TempDir dir;
    const auto program = dir / "vantrel";
    test::writeFile(program, "program");
    const InstanceLock start(program);
    EXPECT_FALSE(start.anotherInstanceRuns());

    const pid_t running = holdInChild(program);
    ASSERT_GT(running, 0);
    EXPECT_TRUE(start.anotherInstanceRuns());
    EXPECT_TRUE(start.anotherInstanceRuns()) << "testing leaves no lock behind";
    const pid_t second = holdInChild(program);
    EXPECT_GT(second, 0) << "several full instances hold together";
    end(running);
    EXPECT_TRUE(start.anotherInstanceRuns());
    end(second);
    EXPECT_FALSE(start.anotherInstanceRuns()) << "the lock ends with its processes, even killed";
    // A missing program file counts as no other instance, and cannot be held.
    InstanceLock missing(dir / "missing");
    EXPECT_FALSE(missing.anotherInstanceRuns());
    EXPECT_FALSE(missing.hold() || missing.held());
}

// Fifty starts at the same moment with no player running, as the program makes them: exactly
// one becomes the player, and the hand-off file holds every start's file once.
TEST(InstanceLock, AStormOfStartsOpensExactlyOnePlayerWithEveryFile) {
    for (int round = 0; round < 20; ++round) {
        test::TempDir dir;
        test::writeFile(dir / "vantrel", "program");
        const StartUp startUp{addSlash(dir.path().string()), "1"};
        std::atomic<int> players = 0;
        std::latch go(50), decided(50);
        std::vector<std::jthread> starts;
        for (int i = 0; i < 50; ++i)
            starts.emplace_back([&, i] {
                InstanceLock lock(dir / "vantrel");
                go.arrive_and_wait();
                const auto plan =
                    startUp.Main({"/m/" + std::to_string(i)}, [&] { return !lock.claim(); });
                players += plan.step == Step::startFully && lock.hold().isOk();
                decided.arrive_and_wait(); // a player holds on while the others start
            });
        starts.clear();
        ASSERT_EQ(players, 1) << "round " << round;
        const auto taken = HandOffFile(dir.path()).take();
        ASSERT_TRUE(taken);
        EXPECT_EQ(std::set<std::string>(taken->lines.begin(), taken->lines.end()).size(), 50u);
        EXPECT_EQ(taken->lines.size(), 50u);
    }
}

using Calls = std::vector<std::string>;

// A main window stand-in: files "exist" when the test says so, added files become rows, and
// every call is recorded as a short text.
struct RecordingCollectTarget : CollectTarget {
    std::set<std::string> existing;
    std::vector<std::string> rows;
    std::vector<std::string> calls;

    void openPList(const std::string& path) override { calls.push_back("openPList " + path); }
    void GetListTag(const std::string& path) override {
        calls.push_back("GetListTag " + path);
        rows.push_back(path);
    }
    std::size_t rowCount() const override { return rows.size(); }
    std::string rowKey(std::size_t row) const override { return rows.at(row - 1); }
    void selectRow(std::size_t row) override {
        calls.push_back("selectRow " + std::to_string(row));
    }
    void selectAllRows() override { calls.push_back("selectAllRows"); }
    void setFileIn(const std::string& path) override { calls.push_back("setFileIn " + path); }
    void pressPlay() override { calls.push_back("pressPlay"); }
    void editSelected() override { calls.push_back("editSelected"); }
    bool fileExists(const std::string& path) const override { return existing.count(path) > 0; }
};

struct Collector {
    test::TempDir dir;
    RecordingCollectTarget target;
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
    const std::tuple<std::vector<std::string>, bool, bool> cases[] = {
        {{"/Play /m/missing.mp3"}, true, false},
        {{"/Tag /m/a.mp3", "/Play /m/b.mp3"}, true, false},
        {{"/Play /m/a.mp3", "/Tag /m/b.mp3"}, false, true},
        {{"/Play /m/a.mp3", "/Que /l/x.m3u"}, false, false},
        {{"/Play /m/a.mp3", ""}, false, false},
        {{"/Play /m/a.mp3", "/PLAY /m/b.mp3"}, false, false},
        {{"/m/a.mp3 /Play /m/b.mp3"}, false, false},
    };
    for (const auto& [lines, play, edit] : cases) {
        Collector t;
        t.handOff(lines);
        t.collector.collect();
        EXPECT_EQ(t.collector.playOnCollect(), play) << ::testing::PrintToString(lines);
        EXPECT_EQ(t.collector.editOnCollect(), edit) << ::testing::PrintToString(lines);
    }
}

TEST(Infile, WhatEachArgumentOpensOrAdds) {
    using A = HandOffArgument;
    const std::pair<HandOffArgument, Calls> cases[] = {
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
    for (const auto& [filIn, calls] : cases) {
        Collector t;
        t.collector.infile(filIn);
        EXPECT_EQ(t.target.calls, calls) << filIn.text();
    }
}

TEST(HandOffCollector, HandlesEveryLineInOrderThenTheRequest) {
    const std::tuple<const char*, std::vector<std::string>, std::vector<std::string>, Calls>
        cases[] = {
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
    for (const auto& [name, rows, lines, calls] : cases) {
        Collector t;
        t.target.rows = rows;
        t.handOff(lines);
        t.collector.collect();
        EXPECT_EQ(t.target.calls, calls) << name;
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
    const std::pair<Args, std::optional<std::string>> cases[] = {
        {{}, std::nullopt},
        {{R"(/m/say "hi".mp3)"}, R"("/m/say ""hi"".mp3")"},
        {{""}, R"("")"},
        {{"/home/me/newmusic/a.mp3"}, "/home/me/newmusic/a.mp3"},
        {{"/m/a.mp3", "/new"}, ""},
        {{"/m/before.mp3", "/NeW", "/m/a b.mp3", "/new", "/c.mp3"}, R"("/m/a b.mp3" /new /c.mp3)"},
        {{"/new/x.mp3"}, "/new/x.mp3"},
    };
    for (const auto& [arguments, line] : cases) {
        EXPECT_EQ(handOffLine(arguments), line) << ::testing::PrintToString(arguments);
    }
}

TEST(HandOffLine, WhatEachLineGivesToInfile) {
    using A = HandOffArgument;
    const std::pair<std::string_view, std::vector<HandOffArgument>> cases[] = {
        {"  /m/a.mp3   /m/b.mp3  ", {A{"", "/m/a.mp3"}, A{"", "/m/b.mp3"}}},
        {std::string_view("/m/a.mp3\0x \"/m/a.mp3\0y\"", 23),
         {A{"", "/m/a.mp3"}, A{"", "/m/a.mp3"}}},
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
    for (const auto& [line, given] : cases)
        EXPECT_EQ(lineArguments(line), given) << line;
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
    EXPECT_TRUE(collected == expected);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

} // namespace
} // namespace vantrel
