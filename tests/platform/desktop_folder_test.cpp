#include "platform/desktop_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "tests/support/data_dir.h"

namespace muwu {
namespace {

TEST(UserDirFromConfig, ReadsTheLineOfTheKeyAsXdgUserDirsWritesIt) {
    const std::string config =
        "# This file is written by xdg-user-dirs-update\n"
        "XDG_DOWNLOAD_DIR=\"$HOME/下载\"\n"
        "XDG_DESKTOP_DIR=\"$HOME/桌面\"\n";
    EXPECT_EQ(userDirFromConfig(config, "DESKTOP", "/home/u"), "/home/u/桌面");
    EXPECT_EQ(userDirFromConfig(config, "DOWNLOAD", "/home/u"), "/home/u/下载");
    EXPECT_EQ(userDirFromConfig(config, "DOCUMENTS", "/home/u"), std::nullopt);
}

TEST(UserDirFromConfig, TakesAbsolutePathsCrLfAndTheLastLine) {
    EXPECT_EQ(userDirFromConfig("XDG_DESKTOP_DIR=\"/srv/desk/\"\r\n", "DESKTOP", "/h"),
              "/srv/desk");
    EXPECT_EQ(userDirFromConfig("XDG_DESKTOP_DIR=/a\nXDG_DESKTOP_DIR=/b", "DESKTOP", "/h"), "/b");
    // Commented or indented lines are not read, as for the library the windows use.
    EXPECT_EQ(userDirFromConfig("#XDG_DESKTOP_DIR=/a\n XDG_DESKTOP_DIR=/b\n", "DESKTOP", "/h"),
              std::nullopt);
    EXPECT_EQ(userDirFromConfig("XDG_DESKTOP_DIR=\"$HOME\"", "DESKTOP", "/h"), "/h");
}

class DesktopFolder : public ::testing::Test {
  protected:
    EnvironmentLookup env() const {
        return [this](const char* name) -> std::optional<std::string> {
            if (auto it = vars.find(name); it != vars.end())
                return it->second;
            return std::nullopt;
        };
    }
    test::DataDir home;
    std::map<std::string, std::string> vars{{"HOME", home.path().string()}};
};

TEST_F(DesktopFolder, IsDesktopInTheHomeFolderWithoutAConfiguration) {
    EXPECT_EQ(desktopFolder(env()), home.path() / "Desktop");
}

TEST_F(DesktopFolder, IsUnknownWithoutAnAbsoluteHomeOrDesktopPath) {
    for (const char* value : {"", "relative/home"}) {
        vars["HOME"] = value;
        const DesktopLocation where = locateDesktop(env());
        EXPECT_EQ(where.folder, std::filesystem::path());
        EXPECT_NE(where.problem.find("HOME"), std::string::npos) << where.problem;
    }
    vars.erase("HOME");
    EXPECT_NE(locateDesktop(env()).problem.find("没有设置 HOME"), std::string::npos);

    vars["HOME"] = home.path().string();
    std::filesystem::create_directories(home.path() / ".config");
    std::ofstream(home.path() / ".config" / "user-dirs.dirs") << "XDG_DESKTOP_DIR=\"Desk\"\n";
    const DesktopLocation where = locateDesktop(env());
    EXPECT_EQ(where.folder, std::filesystem::path());
    EXPECT_NE(where.problem.find("XDG_DESKTOP_DIR（“Desk”）不是绝对路径"), std::string::npos)
        << where.problem;
}

TEST_F(DesktopFolder, FollowsUserDirsInTheConfigHome) {
    std::filesystem::create_directories(home.path() / ".config");
    std::ofstream(home.path() / ".config" / "user-dirs.dirs") << "XDG_DESKTOP_DIR=\"$HOME/桌面\"\n";
    EXPECT_EQ(desktopFolder(env()), home.path() / "桌面");

    // XDG_CONFIG_HOME moves the file; a relative value is ignored.
    std::filesystem::create_directories(home.path() / "cfg");
    std::ofstream(home.path() / "cfg" / "user-dirs.dirs") << "XDG_DESKTOP_DIR=\"/elsewhere\"\n";
    vars["XDG_CONFIG_HOME"] = (home.path() / "cfg").string();
    EXPECT_EQ(desktopFolder(env()), std::filesystem::path("/elsewhere"));
    vars["XDG_CONFIG_HOME"] = "cfg";
    EXPECT_EQ(desktopFolder(env()), home.path() / "桌面");
}

}  // namespace
}  // namespace muwu
