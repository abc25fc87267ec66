#include "platform/shell/paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/test_folder.h"

namespace {

struct Split {
    std::string path, drive = "keep-drive", dir = "keep-dir", name = "keep-name";
};

Split SplitOf(const std::string& path) {
    Split s;
    s.path = path;
    SplitPath(s.path, s.drive, s.dir, s.name);
    return s;
}

TEST(SplitPath, PosixPathsHaveNoDrive) {
    const Split s = SplitOf("/data/run 1/a.001");
    EXPECT_EQ(s.drive, "keep-drive");
    EXPECT_EQ(s.dir, "/data/run 1/");
    EXPECT_EQ(s.name, "a.001");
    EXPECT_EQ(s.path, "/data/run 1/a.001");

    // A colon in second place is an ordinary character of a relative name.
    const Split colon = SplitOf("a:b.001");
    EXPECT_EQ(colon.path, "a:b.001");
    EXPECT_EQ(colon.drive, "keep-drive");
    EXPECT_EQ(colon.name, "a:b.001");
    EXPECT_EQ(SplitOf("a:/x.ref").dir, "a:/");
}

TEST(SplitPath, BareNameAndTrailingSeparator) {
    const Split bare = SplitOf("a.001");
    EXPECT_EQ(bare.name, "a.001");
    EXPECT_EQ(bare.dir, "keep-dir");
    EXPECT_EQ(bare.drive, "keep-drive");

    const Split folder = SplitOf("/data/");
    EXPECT_EQ(folder.dir, "/data/");
    EXPECT_EQ(folder.name, "");

    const Split empty = SplitOf("");
    EXPECT_EQ(empty.name, "");
    EXPECT_EQ(empty.dir, "keep-dir");
}

TEST(SplitPath, WindowsPathsStillYieldTheirParts) {
    const Split drive = SplitOf("C:\\data\\a.001");
    EXPECT_EQ(drive.drive, "C:");
    EXPECT_EQ(drive.dir, "\\data\\");
    EXPECT_EQ(drive.name, "a.001");
    EXPECT_EQ(drive.path, "\\data\\a.001");

    const Split share = SplitOf("\\\\server\\share\\x.ref");
    EXPECT_EQ(share.drive, "keep-drive");
    EXPECT_EQ(share.dir, "\\\\server\\share\\");
    EXPECT_EQ(share.name, "x.ref");

    // Mixed separators: the last of either kind ends the folder.
    EXPECT_EQ(SplitOf("/mnt/win\\out/b.ref").name, "b.ref");
    EXPECT_EQ(SplitOf("/mnt/win/out\\b.ref").dir, "/mnt/win/out\\");
}

TEST(TrailingSeparator, AddAndStrip) {
    EXPECT_EQ(AddBackslash("/out"), "/out/");
    EXPECT_EQ(AddBackslash("/out/"), "/out/");
    EXPECT_EQ(AddBackslash(""), "/");
    EXPECT_EQ(AddBackslash("/"), "/");

    std::string twice = "/out//";
    EXPECT_EQ(StripTrailingBackslash(twice), "/out/");
    EXPECT_EQ(twice, "/out/");
    std::string root = "/";
    EXPECT_EQ(StripTrailingBackslash(root), "");
    EXPECT_EQ(AddBackslash(root), "/");
    std::string plain = "/out";
    EXPECT_EQ(StripTrailingBackslash(plain), "/out");
    std::string empty;
    EXPECT_EQ(StripTrailingBackslash(empty), "");
}

TEST(FileExists, AnyEntryCountsEmptyTextDoesNot) {
    namespace fs = std::filesystem;
    const fs::path here = TestFolder::Path();
    std::ofstream(here / "a.001") << "x";
    std::ofstream(here / ".hidden.001") << "x";
    fs::create_directory(here / "sub");
    std::ofstream(here / "ro.001") << "x";
    fs::permissions(here / "ro.001", fs::perms::owner_read);
    fs::create_symlink(here / "gone", here / "dangling");

    EXPECT_TRUE(FileExists((here / "a.001").string()));
    EXPECT_TRUE(FileExists("a.001"));
    EXPECT_TRUE(FileExists((here / ".hidden.001").string()));
    EXPECT_TRUE(FileExists((here / "sub").string()));
    EXPECT_TRUE(FileExists((here / "ro.001").string()));
    EXPECT_TRUE(FileExists((here / "dangling").string()));
    EXPECT_FALSE(FileExists((here / "b.001").string()));
    EXPECT_FALSE(FileExists((here / "a.001" / "x").string()));
    EXPECT_FALSE(FileExists(""));
}

TEST(ProgramFolder, IsTheFolderOfThisExecutable) {
    const std::string folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), '/');
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(folder) / "test_platform_shell"));
}

}  // namespace
