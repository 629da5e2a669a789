#include "settings/ini_store.h"

#include "base/ascii_text.h"
#include "base/atomic_file.h"
#include "base/file_descriptor.h"
#include "settings/ini_text.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace vantrel {

namespace {

// Cut to at most n characters of UTF-8 text, never inside a character.
std::string cutCharacters(std::string_view s, std::size_t n) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        bool startsCharacter = (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80;
        if (startsCharacter && count++ == n) return std::string(s.substr(0, i));
    }
    return std::string(s);
}

// The file a link finally names (the path itself when it is no link): a settings file that is
// a link is the user's choice of where the settings live.
std::filesystem::path linkTarget(std::filesystem::path file) {
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code error;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(file, error))) break;
        const auto target = std::filesystem::read_symlink(file, error);
        if (error) break;
        file = target.is_absolute() ? target : file.parent_path() / target;
    }
    return file;
}

} // namespace

struct IniStore::Parsed {
    // What tells one version of the file from another without reading it. Every write of the
    // store makes a new inode; an editor that rewrites in place changes the size or the times.
    struct Version {
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        timespec modified{}, changed{};

        explicit Version(const struct stat& st)
            : device(st.st_dev), inode(st.st_ino), size(st.st_size), modified(st.st_mtim),
              changed(st.st_ctim) {}

        bool operator==(const Version& o) const {
            return device == o.device && inode == o.inode && size == o.size &&
                   modified.tv_sec == o.modified.tv_sec && modified.tv_nsec == o.modified.tv_nsec &&
                   changed.tv_sec == o.changed.tv_sec && changed.tv_nsec == o.changed.tv_nsec;
        }
    };

    Parsed(const struct stat& st, std::string bytes)
        : version(st), text(std::move(bytes)), lookup(text) {}
    Parsed(const Parsed&) = delete; // the lookup points into the text
    Version version;
    std::string text;
    IniLookup lookup;
};

std::shared_ptr<const IniStore::Parsed> IniStore::parsed() const {
    // A file that cannot be read, or is no regular file, counts as missing.
    struct stat st {};
    if (::stat(file_.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return parsed_ = nullptr;
    if (parsed_ && parsed_->version == Parsed::Version(st)) return parsed_;
    auto opened = openRegularFile(file_, O_RDONLY);
    // Taken before the read: a change while we read then shows as a change at the next read.
    if (!opened || ::fstat(opened->get(), &st) != 0) return parsed_ = nullptr;
    FileDescriptor& fd = opened.value();
    std::string text;
    text.reserve(static_cast<std::size_t>(st.st_size));
    if (!readAll(fd.get(), text)) return parsed_ = nullptr;
    return parsed_ = std::make_shared<const Parsed>(st, std::move(text));
}

std::string IniStore::getIni(const std::string& section, const std::string& key) const {
    // The newest held put of the key is what the file will hold once the batch is written.
    for (auto put = held_.rbegin(); put != held_.rend(); ++put)
        if (sameIgnoringCase(put->section, section) && sameIgnoringCase(put->key, key))
            return cutCharacters(valueAsRead(put->value), kMaxValueLength);
    const auto file = parsed();
    if (!file) return {};
    return cutCharacters(file->lookup.value(section, key).value_or(""), kMaxValueLength);
}

Result IniStore::putIni(const std::string& section, const std::string& key,
                        const std::string& value) const {
    if (openBatches_ > 0) {
        held_.push_back({section, key, value});
        return Result::ok();
    }
    return write({{section, key, value}});
}

IniStore::Batch::Batch(const IniStore& store) : store_(store) {
    ++store_.openBatches_;
}

IniStore::Batch::~Batch() {
    static_cast<void>(commit());
}

Result IniStore::Batch::commit() {
    if (!std::exchange(open_, false) || --store_.openBatches_ > 0) return Result::ok();
    const std::vector<Put> puts = std::move(store_.held_);
    store_.held_.clear();
    return puts.empty() ? Result::ok() : store_.write(puts);
}

Result IniStore::write(const std::vector<Put>& puts) const {
    auto failure = [&](const std::string& why) {
        return Result::fail(file_.string() + ": " + why);
    };
    const std::filesystem::path target = linkTarget(file_);
    // Writers take turns on the folder, which stays the same file while each replaces the
    // settings file with a new one; a lock on the settings file itself would be left behind
    // on the old file by every rename.
    std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    FileDescriptor folderFd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folderFd.get() < 0) return failure(std::strerror(errno));
    if (!lockFile(folderFd.get(), LOCK_EX)) return failure(std::strerror(errno));

    std::string old;
    mode_t mode = 0644;
    auto opened = openRegularFile(target, O_RDONLY);
    if (!opened && errno != ENOENT) return failure(opened.error());
    FileDescriptor fd = opened ? std::move(opened.value()) : FileDescriptor(-1);
    if (fd.isOpen()) {
        struct stat st {};
        if (::fstat(fd.get(), &st) != 0) return failure(std::strerror(errno));
        mode = st.st_mode & 07777;
        if (!readAll(fd.get(), old)) return failure(std::strerror(errno));
    }
    IniText ini(old);
    for (const Put& put : puts)
        ini.set(put.section, put.key, put.value);
    std::string updated = ini.text();
    if (fd.isOpen() && updated == old) return Result::ok();
    struct stat st {};
    if (Result r = replaceFileAtomically(target, updated, mode, &st); !r) return failure(r.error());
    // Our own write is the current version; a later write of another process is a new one.
    parsed_ = st.st_ino != 0 ? std::make_shared<const Parsed>(st, std::move(updated)) : nullptr;
    return Result::ok();
}

} // namespace vantrel
