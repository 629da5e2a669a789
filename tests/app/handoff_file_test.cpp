#include "app/handoff_file.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vantrel {
namespace {

using Lines = std::vector<std::string>;

TEST(HandOffFile, AppendsCrLfLinesAndTakesThemOnce) {
    test::TempDir dir;
    HandOffFile file(dir.path());
    ASSERT_TRUE(file.appendLine("/m/a.mp3 /m/b.mp3"));
    ASSERT_TRUE(file.appendLine(""));
    ASSERT_TRUE(file.appendLine("\"/m/ä ö.mp3\""));
    EXPECT_EQ(test::readFile(dir / "quorv.tmp"), "/m/a.mp3 /m/b.mp3\r\n\r\n\"/m/ä ö.mp3\"\r\n");

    const auto taken = file.take();
    ASSERT_TRUE(taken);
    EXPECT_EQ(taken->lines, (Lines{"/m/a.mp3 /m/b.mp3", "", "\"/m/ä ö.mp3\""}));
    EXPECT_FALSE(std::filesystem::exists(file.path()));
    ASSERT_EQ(taken->privateFiles.size(), 1u);
    EXPECT_EQ(taken->privateFiles[0].parent_path(), dir.path());
    EXPECT_FALSE(file.take()) << "taken once";
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
TEST(HandOffFile, CopiesOfAGoneCollectorAreAdopted) {
    test::TempDir dir;
    const pid_t gone = ::fork();
    ASSERT_GE(gone, 0);
    if (gone == 0) ::_exit(0);
    ::waitpid(gone, nullptr, 0);
    const auto copy = [&](pid_t owner, int n) {
        return dir / (".quorv-" + std::to_string(owner) + "-" + std::to_string(n) + ".taken");
    };
    test::writeFile(copy(gone, 0), "/m/a.mp3\r\n/m/b.mp3\r\n");
    test::writeFile(copy(::getppid(), 0), "/m/live.mp3\r\n");
    const HandOffFile file(dir.path());
    ASSERT_TRUE(file.appendLine("/m/c.mp3"));

    const auto taken = file.take();
    ASSERT_TRUE(taken);
    EXPECT_EQ(taken->lines, (Lines{"/m/a.mp3", "/m/b.mp3", "/m/c.mp3"}));
    for (const auto& privateFile : taken->privateFiles)
        std::filesystem::remove(privateFile);
    EXPECT_FALSE(std::filesystem::exists(copy(gone, 0)));
    EXPECT_EQ(test::readFile(copy(::getppid(), 0)), "/m/live.mp3\r\n");
    EXPECT_FALSE(file.take()) << "nothing left to adopt";
}

// Fifty starts append while a collector takes the file again and again: every line arrives
// exactly once and whole.
TEST(HandOffFile, NoLineIsLostUnderLoad) {
    constexpr int kStarts = 50;
    constexpr int kLinesEach = 20;
    test::TempDir dir;
    const HandOffFile file(dir.path());
    const std::string padding(200, 'x');
    auto lineOf = [&](int start, int n) {
        return "\"/m/start " + std::to_string(start) + "/" + padding + "\" " + std::to_string(n);
    };

    std::vector<pid_t> children;
    for (int start = 0; start < kStarts; ++start) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            bool ok = true;
            for (int n = 0; n < kLinesEach; ++n)
                ok = file.appendLine(lineOf(start, n)).isOk() && ok;
            ::_exit(ok ? 0 : 1);
        }
        children.push_back(pid);
    }

    std::multiset<std::string> collected;
    auto collect = [&] {
        if (auto taken = file.take()) {
            collected.insert(taken->lines.begin(), taken->lines.end());
            for (const auto& privateFile : taken->privateFiles)
                std::filesystem::remove(privateFile);
        }
    };
    std::size_t running = children.size();
    while (running > 0) {
        collect();
        int status = 0;
        while (running > 0 && ::waitpid(-1, &status, WNOHANG) > 0) {
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
            --running;
        }
    }
    collect();

    std::multiset<std::string> expected;
    for (int start = 0; start < kStarts; ++start)
        for (int n = 0; n < kLinesEach; ++n)
            expected.insert(lineOf(start, n));
    EXPECT_EQ(collected.size(), expected.size());
    EXPECT_TRUE(collected == expected);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

} // namespace
} // namespace vantrel
