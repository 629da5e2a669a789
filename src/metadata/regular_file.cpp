#include "metadata/regular_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vantrel {

Result openRegularFile(const std::filesystem::path& file, int flags, int& fd) {
    auto failed = [&](const std::string& why) {
        if (fd >= 0) ::close(fd);
        fd = -1;
        return Result::fail(file.string() + ": " + why);
    };
    // Non-blocking only for the open itself: opening a FIFO waits for a writer otherwise.
    fd = ::open(file.c_str(), flags | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return failed(std::strerror(errno));
    struct stat st {};
    if (::fstat(fd, &st) != 0) return failed(std::strerror(errno));
    if (!S_ISREG(st.st_mode))
        return failed(S_ISDIR(st.st_mode) ? "is a folder" : "not a regular file");
    int status = ::fcntl(fd, F_GETFL);
    if (status < 0 || ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK) != 0)
        return failed(std::strerror(errno));
    return Result::ok();
}

} // namespace vantrel
