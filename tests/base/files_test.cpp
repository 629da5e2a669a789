#include "base/atomic_file.h"
#include "base/file_descriptor.h"
#include "base/file_url.h"
#include "support/temp_dir.h"
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
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

// The new file has the mode asked for, and the status handed back is the new file's; a replace
// that fails says why and leaves nothing of its own behind.
TEST(AtomicFile, ReplacesWithTheModeOrFailsLeavingNoTemporaryFile) {
    test::TempDir dir;
    test::writeFile(dir / "f", "old");
    struct stat renamed {
    }, now{};
    ASSERT_TRUE(replaceFileAtomically(dir / "f", "new", 0640, &renamed));
    ASSERT_EQ(::stat((dir / "f").c_str(), &now), 0);
    EXPECT_EQ(test::readFile(dir / "f"), "new");
    EXPECT_EQ(now.st_mode & 07777, 0640u);
    EXPECT_EQ(renamed.st_ino, now.st_ino);

    std::filesystem::create_directories(dir / "folder" / "inside"); // no file replaces a folder
    const Result failed = replaceFileAtomically(dir / "folder", "x", 0644);
    EXPECT_FALSE(failed);
    EXPECT_FALSE(failed.error().empty());
    const auto entries = std::distance(std::filesystem::directory_iterator(dir.path()), {});
    EXPECT_EQ(entries, 2);
}

// Addresses as playlists, file managers and the desktop's media controls hand them over; every
// path read is written back to an address that reads as the same path.
TEST(FileUrl, ReadsThisMachinesPathsAndWritesThemBack) {
    struct Case {
        const char* url;
        const char* path; // empty: refused
    } cases[] = {
        {"file:///a%20b.mp3", "/a b.mp3"},
        {"file:///caf%c3%A9/100%25.mp3", "/caf\xC3\xA9/100%.mp3"},
        // An escaped slash is a slash, as browsers read it.
        {"file:///x%2Fy.mp3", "/x/y.mp3"},
        // A '%' that starts no escape is a '%' a careless writer left bare.
        {"file:///a%zz%4", "/a%zz%4"},
        {"file:///#1?.mp3", "/#1?.mp3"},
        {"FILE://LocalHost/x", "/x"},
        {"file:///", "/"},
        {"file://server/x.mp3", ""},
        {"file://localhostile/x.mp3", ""},
        {"file://localhost", ""},
        {"file:/x.mp3", ""},
        {"http:///x.mp3", ""},
        {"smb://server/x.mp3", ""},
        {"file:///a%00b", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url);
        const std::string path = pathFromFileUrl(c.url);
        EXPECT_EQ(path, c.path);
        if (!path.empty()) {
            EXPECT_EQ(pathFromFileUrl(fileUrlFromPath(path)), path);
        }
    }
    // Everything but unreserved bytes and '/' is escaped, so no reader takes a name apart.
    EXPECT_EQ(fileUrlFromPath("/a-b_c.d~/x y#,%\xC3\xA9"), "file:///a-b_c.d~/x%20y%23%2C%25%C3%A9");
}

} // namespace
} // namespace vantrel
