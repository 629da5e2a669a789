#include "base/atomic_file.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

// The new file has the mode asked for, and the status handed back is the new file's; a replace
// that fails says why and leaves nothing of its own behind.
TEST(AtomicFile, ReplacesWithTheModeOrFailsLeavingNoTemporaryFile) {
    test::TempDir dir;
    test::writeFile(dir / "f", "old");
    struct stat renamed {
    }, now{};
    ASSERT_TRUE(replaceFileAtomically(dir / "f", "new", 0640, &renamed));
    ASSERT_EQ(::stat((dir / "f").c_str(), &now), 0);
    EXPECT_EQ(test::readFile(dir / "f"), "new");
    EXPECT_EQ(now.st_mode & 07777, 0640u);
    EXPECT_EQ(renamed.st_ino, now.st_ino);

    std::filesystem::create_directories(dir / "folder" / "inside"); // no file replaces a folder
    const Result failed = replaceFileAtomically(dir / "folder", "x", 0644);
    EXPECT_FALSE(failed);
    EXPECT_FALSE(failed.error().empty());
    const auto entries = std::distance(std::filesystem::directory_iterator(dir.path()), {});
    EXPECT_EQ(entries, 2);
}

} // namespace
} // namespace vantrel
