#include "app/instance_lock.h"

#include "base/file_descriptor.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace vantrel {

InstanceLock::~InstanceLock() {
    if (fd_ >= 0) ::close(fd_);
}

bool InstanceLock::anotherInstanceRuns() const {
    const int fd = ::open(file_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool taken = !lockFile(fd, LOCK_EX | LOCK_NB) && errno == EWOULDBLOCK;
    ::close(fd); // drops our test lock too
    return taken;
}

bool InstanceLock::claim() {
    if (fd_ >= 0) return true;
    const int fd = ::open(file_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return true;
    if (!lockFile(fd, LOCK_EX | LOCK_NB)) {
        const bool taken = errno == EWOULDBLOCK;
        ::close(fd);
        return !taken;
    }
    // Held alone: no instance runs and no other start is between its test and its hold. The
    // kernel turns the exclusive lock into the shared one that every instance holds without
    // letting go in between, so a start testing meanwhile still sees it taken.
    lockFile(fd, LOCK_SH);
    fd_ = fd;
    return true;
}

Result InstanceLock::hold() {
    if (fd_ >= 0) return Result::ok();
    // Close-on-exec, so a new player started from here holds its own lock, not ours.
    const int fd = ::open(file_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return Result::fail("Cannot open \"" + file_.string() + "\": " + std::strerror(errno));
    // Waits out a start that is testing with its exclusive lock at this moment.
    if (!lockFile(fd, LOCK_SH)) {
        const std::string why = std::strerror(errno);
        ::close(fd);
        return Result::fail("Cannot lock \"" + file_.string() + "\": " + why);
    }
    fd_ = fd;
    return Result::ok();
}

} // namespace vantrel
