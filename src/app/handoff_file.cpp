#include "app/handoff_file.h"

#include "app/handoff_line.h"
#include "base/file_descriptor.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vantrel {
namespace {

constexpr std::string_view kPrivatePrefix = ".quorv-";
constexpr std::string_view kPrivateSuffix = ".taken";

// Whether the open file is still the one the name stands for (the name itself, never a link).
bool stillNamed(int fd, const std::filesystem::path& file) {
    struct stat held {
    }, named{};
    return ::fstat(fd, &held) == 0 && ::lstat(file.c_str(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

Result failure(const std::string& what, const std::filesystem::path& file) {
    return Result::fail(what + " \"" + file.string() + "\": " + std::strerror(errno));
}

// The lines of a private copy, read under the lock a start holds while it writes. Anything but
// a regular file holds no lines.
std::vector<std::string> readLines(const std::filesystem::path& file) {
    auto opened = openRegularFile(file, O_RDONLY | O_NOFOLLOW);
    if (!opened) return {};
    FileDescriptor& fd = opened.value();
    // Waits for a start that opened the file before the rename and is still writing.
    lockFile(fd.get(), LOCK_EX);
    std::string text;
    readAll(fd.get(), text); // what could be read is handled; the rest is lost with the file
    return splitLines(text);
}

// The process that made a private copy, from its name ".quorv-PID-N.taken"; 0 for other names.
pid_t ownerOf(const std::string& name) {
    if (!name.starts_with(kPrivatePrefix) || !name.ends_with(kPrivateSuffix)) return 0;
    const std::string_view rest = std::string_view(name).substr(kPrivatePrefix.size());
    pid_t pid = 0;
    for (char c : rest.substr(0, rest.find('-'))) {
        if (c < '0' || c > '9' || pid > 1'000'000'000) return 0;
        pid = pid * 10 + (c - '0');
    }
    return pid;
}

// A process we may not signal still runs; only "no such process" means it is gone.
bool processGone(pid_t pid) {
    return ::kill(pid, 0) != 0 && errno == ESRCH;
}

} // namespace

Result HandOffFile::appendLine(const std::string& line) const {
    const std::string bytes = line + "\r\n";
    // A collector may take the file between our open and our lock; then the file we hold is no
    // longer the hand-off file and we open anew. Each retry means a collector moved on.
    for (int attempt = 0; attempt < 1000; ++attempt) {
        auto opened = openRegularFile(file_, O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW, 0666);
        if (!opened) return Result::fail(opened.error());
        FileDescriptor& fd = opened.value();
        if (!lockFile(fd.get(), LOCK_EX)) return failure("Cannot lock", file_);
        if (!stillNamed(fd.get(), file_)) continue;
        if (!writeAll(fd.get(), bytes)) return failure("Cannot write", file_);
        if (!fd.close()) return failure("Cannot write", file_);
        return Result::ok();
    }
    return Result::fail("The hand-off file \"" + file_.string() + "\" kept being taken away");
}

std::optional<HandOffFile::Taken> HandOffFile::take() const {
    Taken taken;
    // Renamed first, so that of two collectors only one gets a file; a file that cannot be
    // moved cannot be collected.
    auto collect = [&](const std::filesystem::path& file) {
        const auto mine = privateName();
        std::error_code error;
        std::filesystem::rename(file, mine, error);
        if (error) return;
        const auto lines = readLines(mine);
        taken.lines.insert(taken.lines.end(), lines.begin(), lines.end());
        taken.privateFiles.push_back(mine);
    };
    for (const auto& copy : abandonedCopies())
        collect(copy);
    // Anything but a regular file is no hand-off file: it is left alone, never read.
    struct stat st {};
    if (::lstat(file_.c_str(), &st) == 0 && S_ISREG(st.st_mode)) collect(file_);
    if (taken.privateFiles.empty()) return std::nullopt;
    return taken;
}

std::vector<std::filesystem::path> HandOffFile::abandonedCopies() const {
    struct Copy {
        std::filesystem::file_time_type time;
        std::filesystem::path file;
    };
    std::vector<Copy> copies;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(file_.parent_path(), error)) {
        const pid_t owner = ownerOf(entry.path().filename().string());
        if (owner <= 0 || owner == ::getpid() || !processGone(owner)) continue;
        std::error_code ignored;
        copies.push_back({entry.last_write_time(ignored), entry.path()});
    }
    // Oldest first, so lines keep the order in which the starts wrote them.
    std::sort(copies.begin(), copies.end(), [](const Copy& a, const Copy& b) {
        return a.time != b.time ? a.time < b.time : a.file < b.file;
    });
    std::vector<std::filesystem::path> files;
    for (auto& copy : copies)
        files.push_back(std::move(copy.file));
    return files;
}

std::filesystem::path HandOffFile::privateName() const {
    static std::atomic<unsigned> counter{0};
    return file_.parent_path() / (std::string(kPrivatePrefix) + std::to_string(::getpid()) + "-" +
                                  std::to_string(counter++) + std::string(kPrivateSuffix));
}

} // namespace vantrel
