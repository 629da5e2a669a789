#include "app/app_folder.h"

#include <system_error>

namespace vantrel {

std::string addSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

std::filesystem::path executableFile() {
    std::error_code error;
    auto file = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : file;
}

std::string appFolder() {
    const auto file = executableFile();
    if (!file.empty()) return addSlash(file.parent_path().string());
    // Without /proc the current folder is the best guess left.
    std::error_code error;
    const auto here = std::filesystem::current_path(error);
    return addSlash(error ? std::string(".") : here.string());
}

} // namespace vantrel
