#include "base/file_descriptor.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vantrel {

FileDescriptor::~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
}

bool FileDescriptor::close() {
    int fd = fd_;
    fd_ = -1;
    return fd < 0 || ::close(fd) == 0;
}

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

ResultOf<FileDescriptor> openRegularFile(const std::filesystem::path& file, int flags,
                                         mode_t mode) {
    // errno is set last, so callers can still tell a missing file from another failure.
    auto failed = [&](int error, const std::string& why) {
        auto result = ResultOf<FileDescriptor>::fail(why);
        errno = error;
        return result;
    };
    const std::string name = "\"" + file.string() + "\"";
    FileDescriptor fd(::open(file.c_str(), flags | O_NONBLOCK | O_CLOEXEC, mode));
    if (!fd.isOpen()) {
        const int error = errno;
        // A FIFO without a reader refuses a non-blocking writer with ENXIO.
        if ((error == ELOOP && (flags & O_NOFOLLOW)) || error == ENXIO)
            return failed(error, name + " is not a regular file");
        return failed(error, "Cannot open " + name + ": " + std::strerror(error));
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        fd.close();
        return failed(EINVAL, name + " is not a regular file");
    }
    // Reads and writes of a regular file wait as usual.
    const int status = ::fcntl(fd.get(), F_GETFL);
    if (status < 0 || ::fcntl(fd.get(), F_SETFL, status & ~O_NONBLOCK) != 0) {
        const int error = errno;
        fd.close();
        return failed(error, "Cannot open " + name + ": " + std::strerror(error));
    }
    return ResultOf<FileDescriptor>::ok(std::move(fd));
}

ResultOf<FileDescriptor> openRegularForReading(const std::filesystem::path& file,
                                               struct stat& status) {
    FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.isOpen() || ::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        // The slow way says in words what is wrong and sets errno; should the file have turned
        // regular meanwhile, it opens it.
        auto opened = openRegularFile(file, O_RDONLY);
        if (opened && ::fstat(opened.value().get(), &status) != 0)
            return ResultOf<FileDescriptor>::fail("Cannot open \"" + file.string() +
                                                  "\": " + std::strerror(errno));
        return opened;
    }
    return ResultOf<FileDescriptor>::ok(std::move(fd));
}

bool lockFile(int fd, int operation) {
    int result;
    do {
        result = ::flock(fd, operation);
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

bool readAll(int fd, std::string& out) {
    char buffer[65536];
    for (;;) {
        ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) return true;
        out.append(buffer, static_cast<std::size_t>(got));
    }
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

bool readAt(int fd, char* buffer, std::size_t n, off_t at) {
    std::size_t done = 0;
    while (done < n) {
        ssize_t got = ::pread(fd, buffer + done, n - done, at + static_cast<off_t>(done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        done += static_cast<std::size_t>(got);
    }
    return true;
}

bool writeAt(int fd, std::string_view bytes, off_t at) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n =
            ::pwrite(fd, bytes.data() + done, bytes.size() - done, at + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace vantrel
