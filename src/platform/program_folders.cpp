#include "platform/program_folders.h"

#include "base/path_text.h"

#include <cstdlib>
#include <fstream>
#include <pwd.h>
#include <system_error>
#include <unistd.h>

namespace vantrel {

namespace fs = std::filesystem;

fs::path executableFile() {
    std::error_code error;
    auto file = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : file;
}

std::string appFolder() {
    const auto file = executableFile();
    if (!file.empty()) return addSlash(file.parent_path().string());
    // Without /proc the current folder is the best guess left.
    std::error_code error;
    const auto here = fs::current_path(error);
    return addSlash(error ? std::string(".") : here.string());
}

ProgramFolders chooseProgramFolders(const fs::path& executable, bool folderWritable,
                                    const std::string& xdgConfigHome, const std::string& home) {
    const fs::path folder = executable.parent_path();
    const fs::path share = folder.parent_path() / "share" / "vantrel";
    std::error_code error;
    // Root may write anywhere, so the share folder, not writability alone, tells an installed
    // program from one run where it was built.
    const bool installedTree = fs::is_directory(share / "Help", error);
    if (folderWritable && !installedTree) {
        const std::string here = addSlash(folder.string());
        return {here, here, executable, false};
    }
    // A relative XDG_CONFIG_HOME is ignored, as the XDG base directory rules say.
    const fs::path config = !xdgConfigHome.empty() && xdgConfigHome.front() == '/'
                                ? fs::path(xdgConfigHome)
                                : fs::path(home) / ".config";
    const fs::path settings = config / "vantrel";
    const std::string shared = addSlash((installedTree ? share : folder).string());
    return {addSlash(settings.string()), shared, settings / "vantrel.lock", true};
}

namespace {

std::string homeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir) return entry->pw_dir;
    return "/tmp";
}

} // namespace

ProgramFolders programFolders() {
    fs::path executable = executableFile();
    if (executable.empty()) executable = fs::path(appFolder()) / "vantrel";
    const bool writable = ::access(executable.parent_path().c_str(), W_OK) == 0;
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    ProgramFolders folders =
        chooseProgramFolders(executable, writable, xdg ? xdg : "", homeFolder());
    if (folders.installed) {
        std::error_code error;
        fs::create_directories(folders.settings, error);
        // The shipped settings (captions, column headers) are the user's starting point; theirs
        // is never replaced.
        const fs::path seed = fs::path(folders.shared) / "vantrel.ini";
        const fs::path ini = fs::path(folders.settings) / "vantrel.ini";
        if (!fs::exists(ini, error)) {
            fs::copy_file(seed, ini, error);
            // The shipped copy may be read-only; the user's is theirs to write.
            fs::permissions(ini, fs::perms::owner_write, fs::perm_options::add, error);
        }
        // Only ever locked, never written: a crash leaves nothing stale behind.
        if (!fs::exists(folders.instanceLock, error)) std::ofstream(folders.instanceLock).flush();
    }
    return folders;
}

} // namespace vantrel
