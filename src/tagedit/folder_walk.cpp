#include "tagedit/folder_walk.h"

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <vector>

namespace vantrel::tagedit {

bool matchesPattern(std::string_view name, std::string_view pattern) {
    return ::fnmatch(std::string(pattern).c_str(), std::string(name).c_str(), FNM_CASEFOLD) == 0;
}

namespace {

struct DirCloser {
    void operator()(DIR* d) const { ::closedir(d); }
};

class Walker {
public:
    Walker(std::string_view pattern, const WalkMatch& onMatch, const WalkFolderDone& onDone,
           WalkOptions options)
        : pattern_(pattern), onMatch_(onMatch), onDone_(onDone), options_(options) {}

    bool walk(std::string folder, dev_t device) {
        if (folder.empty() || folder.back() != '/') folder += '/';
        std::vector<std::string> subfolders;
        {
            // O_NOFOLLOW: a link to a folder is never entered, so a loop of links cannot make
            // the walk endless. An unreadable folder is passed over without a word.
            const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (fd < 0) return true;
            std::unique_ptr<DIR, DirCloser> dir(::fdopendir(fd));
            if (!dir) {
                ::close(fd);
                return true;
            }
            if (options_.oneFileSystem) {
                struct stat st {};
                if (::fstat(fd, &st) != 0 || (device != 0 && st.st_dev != device)) return true;
                device = st.st_dev;
            }
            while (const dirent* e = ::readdir(dir.get())) {
                const std::string_view name = e->d_name;
                if (name == "." || name == "..") continue;
                if (name[0] != '.' && isFolder(fd, *e)) subfolders.emplace_back(name);
                if (::fnmatch(pattern_.c_str(), e->d_name, FNM_CASEFOLD) == 0 &&
                    !onMatch_(folder + e->d_name))
                    return false;
            }
        }
        if (onDone_) onDone_(folder);
        for (const std::string& sub : subfolders)
            if (!walk(folder + sub, device)) return false;
        return true;
    }

private:
    static bool isFolder(int dirFd, const dirent& e) {
        if (e.d_type != DT_UNKNOWN) return e.d_type == DT_DIR;
        struct stat st {};
        return ::fstatat(dirFd, e.d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode);
    }

    std::string pattern_;
    const WalkMatch& onMatch_;
    const WalkFolderDone& onDone_;
    WalkOptions options_;
};

} // namespace

bool walkFolder(const std::string& folder, std::string_view pattern, const WalkMatch& onMatch,
                const WalkFolderDone& onFolderDone, WalkOptions options) {
    return Walker(pattern, onMatch, onFolderDone, options).walk(folder, 0);
}

} // namespace vantrel::tagedit
