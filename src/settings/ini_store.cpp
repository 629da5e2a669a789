#include "settings/ini_store.h"

#include "base/file_descriptor.h"
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

// Writes the new text beside the file and renames it over the file, so a reader sees either
// the old or the new text, never a part.
Result replaceFile(const std::filesystem::path& file, const std::string& text, mode_t mode) {
    std::string temp = (file.parent_path() / ("." + file.filename().string() + ".XXXXXX")).string();
    FileDescriptor fd(::mkstemp(temp.data()));
    if (fd.get() < 0)
        return Result::fail(std::string("cannot write beside it: ") + std::strerror(errno));
    ::fchmod(fd.get(), mode);
    Result written = writeAll(fd.get(), text) ? Result::ok() : Result::fail(std::strerror(errno));
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
    auto failure = [&](const std::string& why) {
        return Result::fail(file_.string() + ": " + why);
    };
    // Writers take turns on the folder, which stays the same file while each replaces the
    // settings file with a new one; a lock on the settings file itself would be left behind
    // on the old file by every rename.
    std::filesystem::path folder = file_.has_parent_path() ? file_.parent_path() : ".";
    FileDescriptor folderFd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folderFd.get() < 0) return failure(std::strerror(errno));
    if (!lockFile(folderFd.get(), LOCK_EX)) return failure(std::strerror(errno));

    std::string old;
    mode_t mode = 0644;
    FileDescriptor fd(::open(file_.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() >= 0) {
        struct stat st {};
        if (::fstat(fd.get(), &st) != 0) return failure(std::strerror(errno));
        if (!S_ISREG(st.st_mode)) return failure("not a regular file");
        mode = st.st_mode & 07777;
        if (!readAll(fd.get(), old)) return failure(std::strerror(errno));
    } else if (errno != ENOENT) {
        return failure(std::strerror(errno));
    }
    IniText ini(old);
    ini.set(section, key, value);
    std::string updated = ini.text();
    if (fd.get() >= 0 && updated == old) return Result::ok();
    Result r = replaceFile(file_, updated, mode);
    return r ? r : failure(r.error());
}

} // namespace vantrel
