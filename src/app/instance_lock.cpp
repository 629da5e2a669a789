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
