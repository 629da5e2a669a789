#include "base/atomic_file.h"

#include "base/file_descriptor.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace vantrel {

Result replaceFileAtomically(const std::filesystem::path& file, std::string_view bytes, mode_t mode,
                             struct stat* renamed) {
    // A link is written through: the file it names takes the bytes and the link stays a link,
    // as an in-place write would leave them.
    std::filesystem::path target = file;
    std::error_code error;
    if (std::filesystem::is_symlink(file, error)) {
        target = std::filesystem::weakly_canonical(file, error);
        if (error) return Result::fail(file.string() + ": " + error.message());
    }
    std::string temp =
        (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
    FileDescriptor fd(::mkstemp(temp.data()));
    if (!fd.isOpen()) return Result::fail(std::strerror(errno));
    auto failed = [&temp] {
        const int cause = errno;
        ::unlink(temp.c_str());
        return Result::fail(std::strerror(cause));
    };
    // mkstemp makes the file 0600; a settings file or playlist left so would lock others out.
    if (::fchmod(fd.get(), mode) != 0) return failed();
    if (!writeAll(fd.get(), bytes)) return failed();
    if (::fsync(fd.get()) != 0) return failed();
    if (::rename(temp.c_str(), target.c_str()) != 0) return failed();
    if (renamed && ::fstat(fd.get(), renamed) != 0) *renamed = {};
    // The bytes are on the disk already (fsync), so closing has no write error left to report.
    static_cast<void>(fd.close());
    return Result::ok();
}

} // namespace vantrel
