#include "base/atomic_file.h"
#include "base/file_descriptor.h"
#include "base/file_url.h"
#include "base/number_text.h"
#include "base/signal.h"
#include "support/temp_dir.h"
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <sys/file.h>
#include <sys/time.h>
#include <vector>

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
    // The path read; empty: refused.
    const std::pair<const char*, const char*> cases[] = {
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
    for (const auto& [url, expected] : cases) {
        SCOPED_TRACE(url);
        const std::string path = pathFromFileUrl(url);
        EXPECT_EQ(path, expected);
        if (!path.empty()) {
            EXPECT_EQ(pathFromFileUrl(fileUrlFromPath(path)), path);
        }
    }
    // Everything but unreserved bytes and '/' is escaped, so no reader takes a name apart.
    EXPECT_EQ(fileUrlFromPath("/a-b_c.d~/x y#,%\xC3\xA9"), "file:///a-b_c.d~/x%20y%23%2C%25%C3%A9");
}

TEST(NumberText, MatchesTheProgramsDecimalForm) {
    // For 0.1 + 0.2, 15 significant digits hide the binary noise.
    struct Case {
        double value;
        const char* text;
    } cases[] = {{44.1, " 44.1"},
                 {128, " 128"},
                 {11.025, " 11.025"},
                 {0.0, " 0"},
                 {-0.0, " 0"},
                 {-2.5, "-2.5"},
                 {1.0 / 3.0, " 0.333333333333333"},
                 {1e15, " 1E+15"},
                 {123456789012345.0, " 123456789012345"},
                 {0.1 + 0.2, " 0.3"}};
    for (const auto& c : cases)
        EXPECT_EQ(numberText(c.value), c.text) << c.value;
    EXPECT_EQ(numberTextTrimmed(75) + numberTextTrimmed(-3), "75-3");
}

TEST(FmtClock, RoundsSecondsAndKeepsMinutesUnbounded) {
    const std::pair<std::int64_t, const char*> cases[] = {
        {65000, "01:05"}, {59500, "01:00"}, {59499, "00:59"},   {1500, "00:02"},
        {2500, "00:02"},  {500, "00:00"},   {3600000, "60:00"}, {6000000, "100:00"},
    };
    for (const auto& [ms, text] : cases)
        EXPECT_EQ(fmtClock(Millis::fromWhole(ms)), text) << ms;
    // 1499.96 ms is 1.49996 s, kept as 1.5000 s, which then rounds to the even 2.
    EXPECT_EQ(fmtClock(Millis::fromRaw(14999600)), "00:02");
    EXPECT_EQ(fmtClock(Millis::fromRaw(14994000)), "00:01");
    EXPECT_EQ(fmtClockHours(Millis::fromWhole(3599000)), "59:59");
    EXPECT_EQ(fmtClockHours(Millis::fromWhole(3723000)), "01:02:03");
}

TEST(Millis, FixedPointArithmeticWithFourDecimals) {
    Millis frameTime = Millis::fromDouble(26.122448979591837); // 1152 / 44100 s
    EXPECT_EQ(frameTime.raw(), 261224);
    EXPECT_EQ(Millis::fromDouble(2.5 / Millis::kScale).raw(), 2); // half of the last place: to even
    EXPECT_EQ(Millis::fromRaw(25000).roundedWhole() + Millis::fromRaw(35000).roundedWhole(), 6);
    EXPECT_EQ((Millis::fromDouble(1.5) * Millis::fromDouble(0.0001)).raw(), 2); // 0.00015 -> even
    EXPECT_LT(Millis::fromWhole(178799), Millis::fromWhole(180000) - Millis::fromWhole(1200));
}

TEST(Signal, ConnectionsEndWithTheirHolder) {
    Signal<int> changed;
    std::vector<int> heard;
    {
        Connections held;
        for (int i = 0; i < 1000; ++i)
            held.push_back(changed.connect([&heard](int v) { heard.push_back(v); }));
        held.clear();
        Connection kept = changed.connect([&heard](int v) { heard.push_back(v * 10); });
        changed(4);
        EXPECT_EQ(changed.connectionCount(), 1u);
    }
    changed(5);
    EXPECT_EQ(heard, std::vector<int>{40});
    EXPECT_EQ(changed.connectionCount(), 0u);
    Connection outliving;
    {
        auto gone = std::make_unique<Signal<>>();
        outliving = gone->connect([] {});
        EXPECT_TRUE(outliving.connected());
    }
    EXPECT_FALSE(outliving.connected()) << "a connection may outlive its signal";
    outliving.disconnect();
}

TEST(Signal, ListenersMayLeaveOrJoinWhileItIsRaised) {
    Signal<> changed;
    int first = 0, second = 0, late = 0;
    Connection b;
    std::optional<Connection> added;
    Connection a = changed.connect([&] {
        ++first;
        b.disconnect();
        if (!added) added = changed.connect([&] { ++late; });
    });
    b = changed.connect([&] { ++second; });
    changed();
    changed();
    EXPECT_EQ(first, 2);
    EXPECT_EQ(second, 0);
    EXPECT_EQ(late, 1);
}

} // namespace
} // namespace vantrel
