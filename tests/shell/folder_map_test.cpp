#include "shell/folder_map.h"

#include <gtest/gtest.h>

#include <set>

namespace muwu {
namespace {

const auto kFolders = [](const std::string& path) {
    static const std::set<std::string> folders = {"/", "/home/u/Desktop", "/tmp",
                                                  "/usr/share/fonts"};
    return folders.contains(path);
};

TEST(FolderMap, HasTheNineteenBoxesOnceEach) {
    std::set<std::u16string_view> names;
    for (const FolderBox& b : kFolderBoxes)
        names.insert(b.name);
    EXPECT_EQ(names.size(), 19u);
    EXPECT_EQ(folderKindOf(u"txtDesktop"), FolderKind::desktop);
    EXPECT_EQ(folderKindOf(u"txtDocument"), FolderKind::documents);
    EXPECT_EQ(folderKindOf(u"txtTemp"), FolderKind::temp);
    EXPECT_EQ(folderKindOf(u"txtNoSuchBox"), FolderKind::none);
}

struct Row {
    const char* label;
    FolderKind kind;
    std::vector<std::string> candidates;
    std::string text;
};

void PrintTo(const Row& row, std::ostream* os) {
    *os << row.label;
}

class FolderBoxText : public ::testing::TestWithParam<Row> {};

TEST_P(FolderBoxText, IsTheFirstExistingCandidate) {
    const Row& r = GetParam();
    EXPECT_EQ(folderBoxText(r.kind, r.candidates, kFolders), r.text);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FolderBoxText,
    ::testing::Values(
        Row{"existing", FolderKind::desktop, {"/home/u/Desktop"}, "/home/u/Desktop"},
        Row{"trailingSeparatorsGo", FolderKind::desktop, {"/home/u/Desktop//"}, "/home/u/Desktop"},
        Row{"missingIsEmpty", FolderKind::documents, {"/home/u/Documents"}, ""},
        Row{"noCandidate", FolderKind::templates, {}, ""},
        Row{"relativeIsNoAnswer",
            FolderKind::desktop,
            {"Desktop", "/home/u/Desktop"},
            "/home/u/Desktop"},
        Row{"firstExistingWins",
            FolderKind::fonts,
            {"/home/u/.fonts", "/usr/share/fonts", "/tmp"},
            "/usr/share/fonts"},
        Row{"tempEndsInASeparator", FolderKind::temp, {"/tmp"}, "/tmp/"},
        Row{"tempKeepsOneSeparator", FolderKind::temp, {"/tmp/"}, "/tmp/"},
        Row{"rootStays", FolderKind::temp, {"/"}, "/"},
        Row{"noneIsEmptyWhateverExists", FolderKind::none, {"/tmp"}, ""}),
    [](const ::testing::TestParamInfo<Row>& row) { return std::string(row.param.label); });

}  // namespace
}  // namespace muwu
