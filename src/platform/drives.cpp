#include "platform/drives.h"

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>
#include <string_view>

namespace vantrel {

namespace {

// File systems the kernel makes for itself: nothing a user keeps music on. tmpfs is among
// them: /run, /dev/shm and the like would fill the list with scratch space.
bool isKernelFileSystem(std::string_view type) {
    static const std::set<std::string_view> kernel = {
        "proc",    "sysfs",      "devtmpfs",    "devpts",          "tmpfs",
        "cgroup",  "cgroup2",    "securityfs",  "pstore",          "bpf",
        "debugfs", "tracefs",    "mqueue",      "hugetlbfs",       "configfs",
        "fusectl", "autofs",     "binfmt_misc", "efivarfs",        "nsfs",
        "ramfs",   "rpc_pipefs", "selinuxfs",   "fuse.gvfsd-fuse", "fuse.portal"};
    return kernel.count(type) != 0;
}

// Blanks and other awkward characters come escaped as three octal digits ("\040").
std::string unescapeOctal(const std::string& field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const std::string digits = field.substr(i + 1, 3);
            if (std::all_of(digits.begin(), digits.end(),
                            [](char c) { return c >= '0' && c <= '7'; })) {
                out += static_cast<char>(std::stoi(digits, nullptr, 8));
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return out;
}

} // namespace

std::vector<std::string> MountedDrives::parseMounts(const std::string& text) {
    std::set<std::string> points;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::string source, point, type;
        if (!(fields >> source >> point >> type) || isKernelFileSystem(type)) continue;
        points.insert(unescapeOctal(point));
    }
    // Byte order puts "/" first, then each path before the paths below it.
    return {points.begin(), points.end()};
}

std::vector<std::string> MountedDrives::list() {
    std::ifstream in(mountsFile_);
    std::stringstream text;
    text << in.rdbuf();
    return parseMounts(text.str());
}

} // namespace vantrel
