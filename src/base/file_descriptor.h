#pragma once

#include <string>
#include <string_view>
#include <sys/types.h>

namespace vantrel {

// An open POSIX file descriptor, closed when the object ends. The core does its own file I/O
// where it needs locks, exact offsets or atomic renames that streams do not offer.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor();
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    bool isOpen() const { return fd_ >= 0; }
    // Closing can report a deferred write error, so writers close explicitly.
    bool close();

private:
    int fd_;
};

// Each retries when a signal interrupts it; false (with errno set) on failure.
bool lockExclusive(int fd);
bool readAll(int fd, std::string& out);
bool writeAll(int fd, std::string_view bytes);
// Exactly n bytes at an offset; a file ending early is a failure.
bool readAt(int fd, char* buffer, std::size_t n, off_t at);
bool writeAt(int fd, std::string_view bytes, off_t at);

} // namespace vantrel
