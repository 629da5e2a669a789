#pragma once

#include "base/result.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <sys/types.h>

namespace vantrel {

// An open POSIX file descriptor, closed when the object ends. The core does its own file I/O
// where it needs locks, exact offsets or atomic renames that streams do not offer.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor();
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;

    int get() const { return fd_; }
    bool isOpen() const { return fd_ >= 0; }
    // Closing can report a deferred write error, so writers close explicitly.
    bool close();

private:
    int fd_;
};

// Opens `file` only when it is a regular file. The open never waits on a FIFO (it is
// non-blocking until the kind of file is known) and, with O_NOFOLLOW in `flags`, refuses a
// symbolic link. A failure says what is wrong in words, and errno keeps the open's own error
// (EINVAL for a file of the wrong kind).
ResultOf<FileDescriptor> openRegularFile(const std::filesystem::path& file, int flags,
                                         mode_t mode = 0666);

// The same for a file that is only read, in fewer system calls: the file's status comes back in
// `status`, and O_NONBLOCK stays set (it changes nothing for a regular file).
ResultOf<FileDescriptor> openRegularForReading(const std::filesystem::path& file,
                                               struct stat& status);

// Each retries when a signal interrupts it; false (with errno set) on failure.
// `operation` is flock's: LOCK_SH or LOCK_EX, with LOCK_NB to test without waiting.
bool lockFile(int fd, int operation);
bool readAll(int fd, std::string& out);
bool writeAll(int fd, std::string_view bytes);
// Exactly n bytes at an offset; a file ending early is a failure.
bool readAt(int fd, char* buffer, std::size_t n, off_t at);
bool writeAt(int fd, std::string_view bytes, off_t at);

} // namespace vantrel
