// The test helpers' own safety: clearing the box and /tmp never reaches into
// a file system mounted below them — the sandbox binds the PC's folders
// below /tmp that a test program lives in (a clone under /tmp) into the
// private /tmp, and clearing once deleted the build tree.
#include <gtest/gtest.h>

#include <sys/mount.h>

#include "testbox.h"

namespace {

TEST(Testbox, ClearingLeavesFileSystemsMountedBelowTmpAlone) {
    testbox::Clear();
    testbox::MakeFolders("/tmp/kept");
    ASSERT_EQ(mount("kept", "/tmp/kept", "tmpfs", 0, nullptr), 0);
    testbox::WriteFile("/tmp/kept/build-tree-file", "stays");
    testbox::WriteFile("/tmp/scratch/file", "goes");

    testbox::Clear();

    EXPECT_EQ(testbox::ReadFile("/tmp/kept/build-tree-file"), "stays");
    EXPECT_FALSE(testbox::Exists("/tmp/scratch"));
    umount("/tmp/kept");
}

}  // namespace
