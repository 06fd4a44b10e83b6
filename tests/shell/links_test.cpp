#include "shell/links.h"

#include <gtest/gtest.h>

#include <fstream>

#include "tests/support/data_dir.h"

namespace muwu {
namespace {

namespace fs = std::filesystem;

struct FlagRow {
    const char* label;
    std::optional<std::u16string> stored;
    bool done;
};

void PrintTo(const FlagRow& row, std::ostream* os) {
    *os << row.label;
}

class VisitFlag : public ::testing::TestWithParam<FlagRow> {};

TEST_P(VisitFlag, OnlyAMissingKeyOrAFalseValueMeansNotYet) {
    const FlagRow& row = GetParam();
    if (row.stored)
        EXPECT_EQ(visitDone(std::u16string_view(*row.stored)), row.done);
    else
        EXPECT_EQ(visitDone(std::nullopt), row.done);
}

INSTANTIATE_TEST_SUITE_P(
    StoredTexts, VisitFlag,
    ::testing::Values(FlagRow{"missing", std::nullopt, false}, FlagRow{"as_written", u"True", true},
                      FlagRow{"false_as_written", u"False", false},
                      FlagRow{"false_any_case_with_blanks", u"  fALSE\t", false},
                      FlagRow{"zero", u"0", false}, FlagRow{"true_lower", u"true", true},
                      FlagRow{"minus_one", u"-1", true}, FlagRow{"empty_value", u"", true},
                      FlagRow{"garbage", u"\u6c90?%U", true}, FlagRow{"list", u"True, False", true},
                      FlagRow{"falsehood_inside", u"Falsey", true}),
    [](const auto& row) { return std::string(row.param.label); });

TEST(SiteAddress, OverrideWinsWhenItSaysSomething) {
    EXPECT_EQ(siteAddress(nullptr), kSiteAddress);
    EXPECT_EQ(siteAddress(""), kSiteAddress);
    EXPECT_EQ(siteAddress(" \t"), kSiteAddress);
    EXPECT_EQ(siteAddress(" http://localhost:8080/muwu \n"), "http://localhost:8080/muwu");
}

TEST(PageAddress, JoinsWithOneSlash) {
    EXPECT_EQ(pageAddress("http://a.example", kAuthorPage), "http://a.example/Lanqiao_jianjie.htm");
    EXPECT_EQ(pageAddress("http://a.example//", kPoetryPage),
              "http://a.example/QingCenRoZa/QingCenRoZa.htm");
    EXPECT_EQ(pageAddress("http://a.example/sub/", "x.htm"), "http://a.example/sub/x.htm");
}

class LinkTargetTest : public ::testing::Test {
  protected:
    test::DataDir dir_;
    void touch(const fs::path& relative) const {
        fs::create_directories((dir_.path() / relative).parent_path());
        std::ofstream(dir_.path() / relative) << "<html></html>";
    }
};

TEST_F(LinkTargetTest, LocalFileWinsOverThePage) {
    touch(fs::path(std::string(kAuthorFile)));
    const LinkTarget t = linkTarget(dir_.path(), kAuthorFile, "http://a.example", kAuthorPage);
    ASSERT_TRUE(t.isLocal());
    EXPECT_EQ(t.file, dir_.path() / "Lanqiao_jianjie.htm");
    EXPECT_TRUE(t.address.empty());
}

TEST_F(LinkTargetTest, PoetryProgramInItsSubfolderIsFound) {
    touch(fs::path(std::string(kPoetryFile)));
    const LinkTarget t = linkTarget(dir_.path(), kPoetryFile, "http://a.example", kPoetryPage);
    ASSERT_TRUE(t.isLocal());
    EXPECT_EQ(t.file.filename(), fs::path("青岑诗集.exe"));
}

TEST_F(LinkTargetTest, MissingFileOrAFolderOfThatNameGivesThePage) {
    LinkTarget t = linkTarget(dir_.path(), kPoetryFile, "http://a.example/", kPoetryPage);
    EXPECT_FALSE(t.isLocal());
    EXPECT_EQ(t.address, "http://a.example/QingCenRoZa/QingCenRoZa.htm");

    fs::create_directories(dir_.path() / "Lanqiao_jianjie.htm");
    t = linkTarget(dir_.path(), kAuthorFile, "http://a.example", kAuthorPage);
    EXPECT_FALSE(t.isLocal());
    EXPECT_EQ(t.address, "http://a.example/Lanqiao_jianjie.htm");

    // No program folder at all: never a file relative to wherever the program runs.
    t = linkTarget({}, kAuthorFile, "http://a.example", kAuthorPage);
    EXPECT_FALSE(t.isLocal());
}

}  // namespace
}  // namespace muwu
