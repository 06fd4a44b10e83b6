#include "update/server_address.h"

#include <gtest/gtest.h>

namespace muwu {
namespace {

TEST(ServerAddress, BuiltInUnlessOverridden) {
    EXPECT_EQ(updateServerAddress(nullptr), kUpdateServer);
    EXPECT_EQ(updateServerAddress(""), kUpdateServer);
    EXPECT_EQ(updateServerAddress("  \t"), kUpdateServer);
    EXPECT_EQ(updateServerAddress("http://127.0.0.1:8080"), "http://127.0.0.1:8080");
    EXPECT_EQ(updateServerAddress("https://update.example.org/muwu/"),
              "https://update.example.org/muwu");
    EXPECT_EQ(updateServerAddress(" http://127.0.0.1:8080// "), "http://127.0.0.1:8080");
    EXPECT_EQ(updateServerAddress("127.0.0.1:8080"), "http://127.0.0.1:8080");
    EXPECT_TRUE(std::string(kUpdateServer).starts_with("http://"));
}

TEST(ServerAddress, FilesOnTheServer) {
    EXPECT_EQ(updateServerFile("http://127.0.0.1:8080", "/list.txt"),
              "http://127.0.0.1:8080/list.txt");
    EXPECT_EQ(updateServerFile(updateServerAddress("https://h/p/"), "/VAZUZ_EZ_Uzira.exe"),
              "https://h/p/VAZUZ_EZ_Uzira.exe");
}

}  // namespace
}  // namespace muwu
