#pragma once

#include <string>
#include <vector>

namespace vantrel {

// The platform's drives: mount points of real file systems, "/" first, then in path order.
// A drive's root is its mount point.
class Drives {
public:
    virtual ~Drives() = default;
    virtual std::vector<std::string> list() = 0;
};

// The drives of this system, from /proc/self/mounts.
class MountedDrives : public Drives {
public:
    explicit MountedDrives(std::string mountsFile = "/proc/self/mounts")
        : mountsFile_(std::move(mountsFile)) {}
    std::vector<std::string> list() override;

    // The mount points of a mounts table's text, without the kernel's own file systems.
    static std::vector<std::string> parseMounts(const std::string& text);

private:
    std::string mountsFile_;
};

} // namespace vantrel
