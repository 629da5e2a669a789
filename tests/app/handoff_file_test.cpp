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
              (Lines{"/m/a.mp3", "/m/b.mp3", "/m/c.mp3 /m/d.mp3", "", "\"/m/ä ö.mp3\""}));
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
