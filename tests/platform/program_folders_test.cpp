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

    // The program, whether it may write beside itself, XDG_CONFIG_HOME; then the folders chosen.
    using Case = std::tuple<fs::path, bool, std::string, std::string, std::string, bool>;
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
    for (const auto& [executable, writable, xdg, settings, shared, installed] : cases) {
        SCOPED_TRACE(executable.string() + (writable ? " writable" : " read-only"));
        const ProgramFolders f = chooseProgramFolders(executable, writable, xdg, "/h");
        EXPECT_EQ(f.settings, settings);
        EXPECT_EQ(f.shared, shared);
        EXPECT_EQ(f.installed, installed);
        // Two users of an installed program lock files of their own; a build folder's program
        // locks itself.
        EXPECT_EQ(f.instanceLock, installed ? fs::path(settings) / "vantrel.lock" : executable);
    }
}

} // namespace
} // namespace vantrel
