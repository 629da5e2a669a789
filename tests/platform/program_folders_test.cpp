#include "platform/program_folders.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

namespace fs = std::filesystem;

// Where the settings and the data of a program are looked for, by how it was put on disk.
TEST(ProgramFolders, FollowWhereTheProgramLives) {
    test::TempDir dir;
    const fs::path build = dir / "build/bin";
    fs::create_directories(build);
    const fs::path prefix = dir / "usr";
    fs::create_directories(prefix / "bin");
    fs::create_directories(prefix / "share/vantrel/Help");
    const std::string root = dir.path().string();

    struct Case {
        fs::path executable;
        bool writable;
        std::string xdg;
        std::string settings, shared;
        bool installed;
    };
    const Case cases[] = {
        // A build folder keeps everything beside the program, whatever XDG says.
        {build / "vantrel", true, "/x", root + "/build/bin/", root + "/build/bin/", false},
        // Read-only and not installed: settings move out, the pictures stay beside it.
        {build / "vantrel", false, "/x", "/x/vantrel/", root + "/build/bin/", true},
        // Installed: the share folder, even for a user who may write into bin/ (root).
        {prefix / "bin/vantrel", true, "/x", "/x/vantrel/", root + "/usr/share/vantrel/", true},
        // No XDG_CONFIG_HOME, or a relative one: ~/.config.
        {prefix / "bin/vantrel", false, "", "/h/.config/vantrel/", root + "/usr/share/vantrel/",
         true},
        {prefix / "bin/vantrel", false, "rel", "/h/.config/vantrel/", root + "/usr/share/vantrel/",
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.executable.string() + (c.writable ? " writable" : " read-only"));
        const ProgramFolders f = chooseProgramFolders(c.executable, c.writable, c.xdg, "/h");
        EXPECT_EQ(f.settings, c.settings);
        EXPECT_EQ(f.shared, c.shared);
        EXPECT_EQ(f.installed, c.installed);
        // Two users of an installed program lock files of their own; a build folder's program
        // locks itself.
        EXPECT_EQ(f.instanceLock,
                  c.installed ? fs::path(c.settings) / "vantrel.lock" : c.executable);
    }
}

} // namespace
} // namespace vantrel
