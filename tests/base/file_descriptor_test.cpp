#include "base/file_descriptor.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/time.h>

namespace vantrel {
namespace {

volatile sig_atomic_t signals = 0;
int heldFd = -1;

// Interrupts the wait a few times, then lets the lock go.
void onAlarm(int) {
    signals = signals + 1;
    if (signals == 5) ::flock(heldFd, LOCK_UN);
}

// Two opens of one file compete for its lock, even within one process.
TEST(FileDescriptor, LockWaitSurvivesSignals) {
    test::TempDir dir;
    test::writeFile(dir / "f", "x");
    FileDescriptor held(::open((dir / "f").c_str(), O_RDONLY)),
        waiting(::open((dir / "f").c_str(), O_RDONLY));
    ASSERT_TRUE(lockFile(held.get(), LOCK_EX));
    heldFd = held.get();
    struct sigaction action {
    }, old{};
    action.sa_handler = onAlarm; // no SA_RESTART: the wait returns EINTR
    ::sigaction(SIGALRM, &action, &old);
    itimerval every10ms{{0, 10'000}, {0, 10'000}}, off{};
    ::setitimer(ITIMER_REAL, &every10ms, nullptr);
    EXPECT_TRUE(lockFile(waiting.get(), LOCK_EX));
    ::setitimer(ITIMER_REAL, &off, nullptr);
    ::sigaction(SIGALRM, &old, nullptr);
    EXPECT_GE(signals, 5);
}

} // namespace
} // namespace vantrel
