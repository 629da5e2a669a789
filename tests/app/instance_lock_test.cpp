#include "app/instance_lock.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace vantrel {
namespace {

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
