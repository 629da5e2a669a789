#include "app/start_up.h"

#include "app/instance_lock.h"
#include "base/path_text.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
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
        {{"/m/a\nb.mp3", "/m/c.mp3"}, true, Step::endNow, "/m/c.mp3\r\n", false},
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

TEST_F(StartUpTest, WindowFlagsOnlyForTheNumberOne) {
    struct Case {
        const char* ini;
        bool useRound;
        bool useGrid;
    } cases[] = {
        {nullptr, false, false},
        {"[OPTIONS]\r\nRound=1\r\ngrid=2\r\n", true, false},
        {"[options]\r\nround=\r\ngrid= 1 \r\n", false, true},
        {"[looks]\r\nround=1\r\n", false, false},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(dir / "vantrel.ini");
        if (c.ini) test::writeFile(dir / "vantrel.ini", c.ini);
        const auto plan = startUp.Main({}, [] { return false; });
        EXPECT_EQ(plan.useRound, c.useRound) << (c.ini ? c.ini : "no file");
        EXPECT_EQ(plan.useGrid, c.useGrid) << (c.ini ? c.ini : "no file");
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
}

TEST(InstanceLock, AMissingProgramFileCountsAsNoOtherInstance) {
    test::TempDir dir;
    InstanceLock lock(dir / "missing");
    EXPECT_FALSE(lock.anotherInstanceRuns());
    EXPECT_FALSE(lock.hold());
    EXPECT_FALSE(lock.held());
}

} // namespace
} // namespace vantrel
