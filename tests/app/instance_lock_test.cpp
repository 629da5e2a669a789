#include "app/instance_lock.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

namespace vantrel {
namespace {

// Runs a child that holds the lock until the parent writes to the pipe.
class LockHolder {
public:
    explicit LockHolder(const std::filesystem::path& program) {
        int ready[2], release[2];
        if (::pipe(ready) != 0 || ::pipe(release) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(ready[0]);
            ::close(release[1]); // so the parent's close reaches us as the end of the pipe
            InstanceLock lock(program);
            const bool held = lock.hold().isOk();
            char byte = held ? 'y' : 'n';
            if (::write(ready[1], &byte, 1) != 1 || ::read(release[0], &byte, 1) < 0) ::_exit(2);
            ::_exit(held ? 0 : 1);
        }
        ::close(ready[1]);
        ::close(release[0]);
        char byte = 0;
        held_ = ::read(ready[0], &byte, 1) == 1 && byte == 'y';
        ::close(ready[0]);
        release_ = release[1];
    }
    ~LockHolder() { end(); }

    bool held() const { return held_; }
    void end() {
        if (pid_ <= 0) return;
        ::close(release_);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
    int release_ = -1;
    bool held_ = false;
};

TEST(InstanceLock, SeesAnotherProcessHoldingTheProgram) {
    test::TempDir dir;
    const auto program = dir / "vantrel";
    test::writeFile(program, "program");
    const InstanceLock start(program);
    EXPECT_FALSE(start.anotherInstanceRuns());

    LockHolder running(program);
    ASSERT_TRUE(running.held());
    EXPECT_TRUE(start.anotherInstanceRuns());
    EXPECT_TRUE(start.anotherInstanceRuns()) << "testing leaves no lock behind";
    LockHolder second(program);
    EXPECT_TRUE(second.held()) << "several full instances hold together";

    second.end(); // first: it holds a copy of the first holder's pipe
    running.end();
    EXPECT_FALSE(start.anotherInstanceRuns()) << "the lock ends with its processes";
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
