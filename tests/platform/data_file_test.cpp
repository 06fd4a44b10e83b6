#include "platform/data_file.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <clocale>
#include <fstream>

#include "platform/error_text.h"
#include "tests/support/data_dir.h"

namespace muwu {
namespace {

TEST(ReadDataFile, ReadsRegularFilesUpToTheLimitOnly) {
    test::DataDir dir;
    const auto file = dir.path() / "f.txt";
    EXPECT_EQ(readDataFile(file).status, FileReadStatus::missing);
    std::ofstream(file) << "0123456789";
    FileRead r = readDataFile(file, 10);
    EXPECT_EQ(r.status, FileReadStatus::ok);
    EXPECT_EQ(r.bytes, "0123456789");
    EXPECT_EQ(r.stamp, stampOf(file));
    EXPECT_FALSE(r.viaLink);

    r = readDataFile(file, 9);
    EXPECT_EQ(r.status, FileReadStatus::tooLarge);
    EXPECT_TRUE(r.bytes.empty());
    EXPECT_NE(r.problem().find("64 MiB"), std::string::npos) << r.problem();

    // A device reports no size and never ends; it is not even opened.
    std::filesystem::create_symlink("/dev/zero", dir.path() / "zero");
    r = readDataFile(dir.path() / "zero");
    EXPECT_EQ(r.status, FileReadStatus::notRegular);
    EXPECT_TRUE(r.viaLink);
    EXPECT_EQ(r.problem(), "是设备，不是普通文件");
    ASSERT_EQ(::mkfifo((dir.path() / "pipe").c_str(), 0600), 0);
    EXPECT_EQ(readDataFile(dir.path() / "pipe").kind, "命名管道");
    EXPECT_EQ(readDataFile(dir.path()).kind, "文件夹");
}

TEST(SystemErrorText, IsChineseWhereTheSystemHasItElseTheErrorsName) {
    const std::string text = systemErrorText(ENOSPC);
    if (locale_t zh = newlocale(LC_MESSAGES_MASK, "zh_CN.UTF-8", locale_t{})) {
        freelocale(zh);
        EXPECT_EQ(text.find("No space"), std::string::npos) << text;
    } else {
        EXPECT_EQ(text, "系统错误 ENOSPC");
    }
}

// Edits of a file reached through a link are reported under the link's name.
TEST(FolderWatch, SeesEditsOfAWatchedFileWhereverItLies) {
    test::DataDir dir;
    std::filesystem::create_directory(dir.path() / "data");
    std::ofstream(dir.path() / "target.txt") << "1";
    std::filesystem::create_symlink(dir.path() / "target.txt", dir.path() / "data" / "a.txt");
    FolderWatch watch(dir.path() / "data");
    watch.watchFile("a.txt");
    EXPECT_TRUE(watch.poll().empty());
    std::ofstream(dir.path() / "target.txt") << "2";
    const FolderWatch::Changes changes = watch.poll();
    ASSERT_FALSE(changes.names.empty());
    EXPECT_EQ(changes.names.front(), "a.txt");
}

}  // namespace
}  // namespace muwu
