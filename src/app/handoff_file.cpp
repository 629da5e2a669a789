#include "app/handoff_file.h"

#include "app/handoff_line.h"
#include "base/file_descriptor.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vantrel {
namespace {

// Whether the open file is still the one the name stands for.
bool stillNamed(int fd, const std::filesystem::path& file) {
    struct stat held {
    }, named{};
    return ::fstat(fd, &held) == 0 && ::stat(file.c_str(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

Result failure(const std::string& what, const std::filesystem::path& file) {
    return Result::fail(what + " \"" + file.string() + "\": " + std::strerror(errno));
}

} // namespace

Result HandOffFile::appendLine(const std::string& line) const {
    const std::string bytes = line + "\r\n";
    // A collector may take the file between our open and our lock; then the file we hold is no
    // longer the hand-off file and we open anew. Each retry means a collector moved on.
    for (int attempt = 0; attempt < 1000; ++attempt) {
        FileDescriptor fd(::open(file_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666));
        if (!fd.isOpen()) return failure("Cannot open", file_);
        if (!lockFile(fd.get(), LOCK_EX)) return failure("Cannot lock", file_);
        if (!stillNamed(fd.get(), file_)) continue;
        if (!writeAll(fd.get(), bytes)) return failure("Cannot write", file_);
        return Result::ok();
    }
    return Result::fail("The hand-off file \"" + file_.string() + "\" kept being taken away");
}

std::optional<HandOffFile::Taken> HandOffFile::take() const {
    Taken taken{privateName(), {}};
    std::error_code error;
    std::filesystem::rename(file_, taken.privateFile, error);
    // No file means no start left a line; a file that cannot be moved cannot be collected.
    if (error) return std::nullopt;
    FileDescriptor fd(::open(taken.privateFile.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.isOpen()) return taken;
    // Waits for a start that opened the file before the rename and is still writing.
    lockFile(fd.get(), LOCK_EX);
    std::string text;
    readAll(fd.get(), text); // what could be read is handled; the rest is lost with the file
    taken.lines = splitLines(text);
    return taken;
}

std::filesystem::path HandOffFile::privateName() const {
    static std::atomic<unsigned> counter{0};
    return file_.parent_path() /
           (".quorv-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".taken");
}

} // namespace vantrel
