#include "platform/file_watch.h"

#include <gtest/gtest.h>

#include <fstream>

#include "tests/support/data_dir.h"

namespace muwu {
namespace {

TEST(FolderWatch, SeesAWriteAtOnceAndOnlyOnce) {
    test::DataDir dir;
    FolderWatch watch(dir.path());
    ASSERT_TRUE(watch.active());
    EXPECT_TRUE(watch.poll().empty());
    std::ofstream(dir.path() / "a.txt") << "x";
    const FolderWatch::Changes changes = watch.poll();
    ASSERT_FALSE(changes.names.empty());
    EXPECT_EQ(changes.names.front(), "a.txt");
    EXPECT_TRUE(watch.poll().empty());
}

TEST(FolderWatch, ReportsEverythingWhenTheFolderIsReplaced) {
    test::DataDir dir;
    const auto folder = dir.path() / "data";
    std::filesystem::create_directory(folder);
    FolderWatch watch(folder);
    std::filesystem::rename(folder, dir.path() / "old");
    std::filesystem::create_directory(folder);
    EXPECT_TRUE(watch.poll().everything);
    // Watching the new folder now.
    EXPECT_TRUE(watch.poll().empty() || watch.poll().empty());
    std::ofstream(folder / "b.txt") << "y";
    const auto changes = watch.poll();
    EXPECT_FALSE(changes.empty());
}

TEST(FileStamp, ChangesWithContent) {
    test::DataDir dir;
    const auto file = dir.path() / "c.txt";
    EXPECT_FALSE(stampOf(file).exists);
    std::ofstream(file) << "1";
    const FileStamp a = stampOf(file);
    std::ofstream(file) << "22";
    EXPECT_NE(stampOf(file), a);
}

}  // namespace
}  // namespace muwu
