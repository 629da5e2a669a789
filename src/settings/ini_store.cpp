#include "settings/ini_store.h"

#include "settings/ini_text.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vantrel {

namespace {

// Cut to at most n characters of UTF-8 text, never inside a character.
std::string cutCharacters(const std::string& s, std::size_t n) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        bool startsCharacter = (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80;
        if (startsCharacter && count++ == n) return s.substr(0, i);
    }
    return s;
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

Result readAll(int fd, std::string& out) {
    char buf[65536];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n == 0) return Result::ok();
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return Result::fail(std::strerror(errno));
        out.append(buf, static_cast<std::size_t>(n));
    }
}

Result writeAll(int fd, const std::string& data) {
    std::size_t done = 0;
    while (done < data.size()) {
        ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return Result::fail(std::strerror(errno));
        done += static_cast<std::size_t>(n);
    }
    return Result::ok();
}

// Writes the new text beside the file and renames it over the file, so a reader sees either
// the old or the new text, never a part.
Result replaceFile(const std::filesystem::path& file, const std::string& text, mode_t mode) {
    std::string temp = (file.parent_path() / ("." + file.filename().string() + ".XXXXXX")).string();
    FileDescriptor fd(::mkstemp(temp.data()));
    if (fd.get() < 0)
        return Result::fail(std::string("cannot write beside it: ") + std::strerror(errno));
    ::fchmod(fd.get(), mode);
    Result written = writeAll(fd.get(), text);
    if (written && ::fsync(fd.get()) != 0) written = Result::fail(std::strerror(errno));
    if (written && ::rename(temp.c_str(), file.c_str()) != 0)
        written = Result::fail(std::strerror(errno));
    if (!written) ::unlink(temp.c_str());
    return written;
}

} // namespace

std::string IniStore::getIni(const std::string& section, const std::string& key) const {
    // A file that cannot be read counts as missing.
    FileDescriptor fd(::open(file_.c_str(), O_RDONLY | O_CLOEXEC));
    std::string text;
    if (fd.get() < 0 || !readAll(fd.get(), text)) return {};
    return cutCharacters(IniText(text).value(section, key).value_or(""), kMaxValueLength);
}

Result IniStore::putIni(const std::string& section, const std::string& key,
                        const std::string& value) const {
    // Another writer may rename a new file over the one we locked; then our lock guards a file
    // no one reads any more, so take the lock again on the file now in place.
    for (int attempt = 0; attempt < 100; ++attempt) {
        FileDescriptor fd(::open(file_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666));
        if (fd.get() < 0) return Result::fail(file_.string() + ": " + std::strerror(errno));
        while (::flock(fd.get(), LOCK_EX) != 0)
            if (errno != EINTR) return Result::fail(file_.string() + ": " + std::strerror(errno));
        struct stat locked {};
        struct stat current {};
        if (::fstat(fd.get(), &locked) != 0) return Result::fail(std::strerror(errno));
        if (::stat(file_.c_str(), &current) != 0 || current.st_ino != locked.st_ino ||
            current.st_dev != locked.st_dev)
            continue;

        std::string old;
        if (Result r = readAll(fd.get(), old); !r)
            return Result::fail(file_.string() + ": " + r.error());
        IniText ini(old);
        ini.set(section, key, value);
        std::string updated = ini.text();
        if (updated == old) return Result::ok();
        Result r = replaceFile(file_, updated, locked.st_mode & 07777);
        return r ? r : Result::fail(file_.string() + ": " + r.error());
    }
    return Result::fail(file_.string() + ": the file keeps changing under us");
}

} // namespace vantrel
