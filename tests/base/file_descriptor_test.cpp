#include "base/file_descriptor.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vantrel {
namespace {

void onAlarm(int) {}

// A wait for a lock that a signal interrupts again and again still ends with the lock.
TEST(FileDescriptor, LockWaitSurvivesSignals) {
    test::TempDir dir;
    test::writeFile(dir / "f", "x");
    int held[2];
    ASSERT_EQ(::pipe(held), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        FileDescriptor fd(::open((dir / "f").c_str(), O_RDONLY));
        const bool locked = ::flock(fd.get(), LOCK_EX) == 0;
        char byte = locked ? 'y' : 'n';
        if (::write(held[1], &byte, 1) != 1) ::_exit(2);
        ::usleep(300'000);
        ::_exit(0);
    }
    char byte = 0;
    ASSERT_EQ(::read(held[0], &byte, 1), 1);
    ASSERT_EQ(byte, 'y');

    struct sigaction action {
    }, old{};
    action.sa_handler = onAlarm; // no SA_RESTART: the wait returns EINTR
    ::sigaction(SIGALRM, &action, &old);
    itimerval every20ms{{0, 20'000}, {0, 20'000}}, off{};
    ::setitimer(ITIMER_REAL, &every20ms, nullptr);
    FileDescriptor fd(::open((dir / "f").c_str(), O_RDONLY));
    EXPECT_TRUE(lockFile(fd.get(), LOCK_EX));
    ::setitimer(ITIMER_REAL, &off, nullptr);
    ::sigaction(SIGALRM, &old, nullptr);
    ::waitpid(child, nullptr, 0);
}

// Only a regular file opens; a FIFO is refused at once instead of waiting for a writer, and a
// link is refused when asked to be.
TEST(FileDescriptor, OpensOnlyRegularFiles) {
    test::TempDir dir;
    test::writeFile(dir / "file", "x");
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0644), 0);
    std::filesystem::create_symlink(dir / "file", dir / "link");
    std::filesystem::create_directory(dir / "folder");
    struct Case {
        const char* name;
        int flags;
        bool opens;
    } cases[] = {
        {"file", O_RDONLY, true},          {"file", O_WRONLY | O_APPEND, true},
        {"fifo", O_RDONLY, false},         {"fifo", O_WRONLY, false},
        {"link", O_RDONLY, true},          {"link", O_RDONLY | O_NOFOLLOW, false},
        {"folder", O_RDONLY, false},       {"missing", O_RDONLY, false},
        {"fifo", O_RDWR | O_CREAT, false},
    };
    ::alarm(10); // a FIFO that makes the open wait ends the test instead of hanging it
    for (const auto& c : cases) {
        std::string why;
        FileDescriptor fd = openRegularFile(dir / c.name, c.flags, why);
        EXPECT_EQ(fd.isOpen(), c.opens) << c.name << " " << c.flags;
        EXPECT_EQ(why.empty(), c.opens) << c.name << " " << why;
        if (fd.isOpen()) {
            EXPECT_EQ(::fcntl(fd.get(), F_GETFL) & O_NONBLOCK, 0) << c.name;
        }
    }
    ::alarm(0);
}

} // namespace
} // namespace vantrel
