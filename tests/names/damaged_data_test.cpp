// Damaged, odd and hostile data files: whatever stands in the data folder, every lookup answers
// as a fresh read of the files does, the damage is named once, and the rest of the data serves.
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>

#include "names/analysis.h"
#include "names/char_data.h"
#include "platform/gbk.h"
#include "platform/text.h"
#include "tests/support/data_dir.h"

namespace muwu {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> messagesAbout(CharacterData& data, std::u16string_view file) {
    std::vector<std::string> messages;
    for (const DataProblem& p : data.takeProblems()) {
        if (p.file == file)
            messages.push_back(p.message);
    }
    return messages;
}

bool contains(const std::string& text, std::string_view part) {
    return text.find(part) != std::string::npos;
}

class OddFiles : public ::testing::TestWithParam<Caching> {
  protected:
    void SetUp() override { dir.writeSample(); }
    fs::path at(std::u16string_view name) const { return dir.path() / fs::path(toUtf8(name)); }
    test::DataDir dir;
};

// Each stands where 07画的字.txt (李, 吕) should be; the other lists still serve.
TEST_P(OddFiles, OnlyRegularFilesAreReadAndTheRestIsNamedOnce) {
    const fs::path list7 = at(strokeListName(7));
    struct Case {
        const char* kind;
        std::function<void()> make;
    };
    const std::vector<Case> cases = {
        {"文件夹", [&] { fs::create_directory(list7); }},
        {"命名管道", [&] { ASSERT_EQ(::mkfifo(list7.c_str(), 0600), 0); }},
        {"设备", [&] { fs::create_symlink("/dev/zero", list7); }},
        {"套接字",
         [&] {
             const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
             sockaddr_un address{};
             address.sun_family = AF_UNIX;
             const std::string p = list7.string();
             ASSERT_LT(p.size(), sizeof address.sun_path);
             std::copy(p.begin(), p.end(), address.sun_path);
             ASSERT_EQ(::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
             ::close(s);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        fs::remove_all(list7);
        c.make();
        CharacterData data(dir.path(), GetParam());
        EXPECT_EQ(data.strokes(u"李").strokes, 0);
        EXPECT_EQ(data.strokes(u"王").strokes, 4);
        EXPECT_EQ(data.strokePool(7), u"");
        const auto messages = messagesAbout(data, strokeListName(7));
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_TRUE(contains(messages[0], c.kind)) << messages[0];
        EXPECT_TRUE(contains(messages[0], "07画的字.txt")) << messages[0];
        (void)data.strokes(u"吕");
        EXPECT_TRUE(data.takeProblems().empty());
    }
}

TEST_P(OddFiles, TheReplacementCharacterIsNeverACharacter) {
    // 李 after a byte that is not GBK, a heading whose attribute mark lost its character, and a
    // table whose traditional form is damaged.
    const auto gbk = [](std::u16string_view text) { return encodeGbk(text).bytes; };
    dir.writeBytes(strokeListName(7),
                   gbk(u"7\r\n五行属“") + "\xFF" + gbk(u"”：") + "\xFF" + gbk(u" 李\r\n"));
    dir.writeBytes(kSimplifiedTableName, gbk(u"张刘"));
    dir.writeBytes(kTraditionalTableName, gbk(u"張") + "\xFF");
    dir.writeBytes(kDoubleSurnameListName, "\xFF\xFF\r\n" + gbk(u"欧阳\r\n"));
    CharacterData data(dir.path(), GetParam());
    EXPECT_EQ(data.strokes(u"李"), (StrokeInfo{7, u""}));
    EXPECT_EQ(data.strokes(u"\uFFFD").strokes, 0);
    EXPECT_EQ(data.strokes(u"\uFFFD 李").strokes, 0);
    EXPECT_EQ(data.strokePool(7), u"李");
    EXPECT_EQ(data.traditional(u"张"), u"張");
    EXPECT_EQ(data.traditional(u"刘"), u"刘");
    EXPECT_EQ(data.traditional(u"\uFFFD"), u"\uFFFD");
    EXPECT_FALSE(data.startsWithDoubleSurname(u"\uFFFD\uFFFD修"));
    EXPECT_TRUE(data.startsWithDoubleSurname(u"欧阳修"));
    const auto messages = messagesAbout(data, strokeListName(7));
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_TRUE(contains(messages[0], "无效的 GBK 编码")) << messages[0];
    EXPECT_TRUE(contains(messages[1], "第 2 行的标题无法读取")) << messages[1];

    // In a name: the damaged character counts nothing, as any unlisted one.
    MainForm form(data);
    form.load();
    pasteName(form, u"李\uFFFD", {});
    EXPECT_EQ(form.总笔画数, u"7");
}

TEST_P(OddFiles, EmptyListsAreNamed) {
    dir.writeBytes(strokeListName(9), "");
    dir.writeBytes(kDoubleSurnameListName, "");
    CharacterData data(dir.path(), GetParam());
    EXPECT_FALSE(data.startsWithDoubleSurname(u"欧阳修"));
    EXPECT_EQ(data.strokes(u"思").strokes, 0);
    std::vector<std::u16string> empty;
    for (const DataProblem& p : data.takeProblems()) {
        if (contains(p.message, "是空的（0 字节）"))
            empty.push_back(p.file);
    }
    std::sort(empty.begin(), empty.end());
    EXPECT_EQ(empty, (std::vector<std::u16string>{strokeListName(9),
                                                  std::u16string(kDoubleSurnameListName)}));
}

INSTANTIATE_TEST_SUITE_P(BothWays, OddFiles, ::testing::Values(Caching::on, Caching::off),
                         [](const auto& row) {
                             return row.param == Caching::on ? std::string("Cached")
                                                             : std::string("Fresh");
                         });

// The cache sees what a fresh read sees, whatever the names in the folder lead to.
class LinkedData : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* name : {"a", "b"}) {
            fs::create_directory(root.path() / name);
            for (int k = 1; k <= kMaxStrokes; ++k)
                write(file(name, k), u"标题\r\n");
        }
        write(file("a", 8), u"：明\r\n");
        write(file("b", 8), u"：林\r\n");
    }
    static void write(const fs::path& path, std::u16string_view text) {
        const std::string bytes = encodeGbk(text).bytes;
        std::ofstream(path, std::ios::binary | std::ios::trunc)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    // Written beside and renamed over, as editors save: a new file where the old one was.
    static void replace(const fs::path& path, std::u16string_view text) {
        const fs::path temporary = path.parent_path() / "new.tmp";
        write(temporary, text);
        fs::rename(temporary, path);
    }
    fs::path file(const char* folder, int k) const {
        return root.path() / folder / fs::path(toUtf8(strokeListName(k)));
    }
    // The cached data answer as a fresh read of the same folder, and that is the expected count.
    static void expectStrokes(CharacterData& cached, std::u16string_view c, int strokes) {
        CharacterData fresh(cached.folder(), Caching::off);
        EXPECT_EQ(fresh.strokes(c).strokes, strokes) << toUtf8(c);
        EXPECT_EQ(cached.strokes(c).strokes, strokes) << toUtf8(c);
    }
    test::DataDir root;
};

TEST_F(LinkedData, AFolderLinkThatIsRepointedIsFollowed) {
    const fs::path link = root.path() / "data";
    fs::create_directory_symlink("a", link);
    CharacterData cached(link);
    expectStrokes(cached, u"明", 8);
    const fs::path next = root.path() / "data.new";
    fs::create_directory_symlink("b", next);
    fs::rename(next, link);
    expectStrokes(cached, u"明", 0);
    expectStrokes(cached, u"林", 8);
    // And edits in the folder it leads to now are seen.
    write(file("b", 8), u"：松\r\n");
    expectStrokes(cached, u"松", 8);
}

TEST_F(LinkedData, ALinkedFileSeesEditsOfItsTarget) {
    const fs::path list8 = file("a", 8);
    fs::remove(list8);
    fs::create_symlink(file("b", 8), list8);
    CharacterData cached(root.path() / "a");
    expectStrokes(cached, u"林", 8);
    write(file("b", 8), u"：松\r\n");  // in place, same size
    expectStrokes(cached, u"松", 8);
    replace(file("b", 8), u"：柏\r\n");  // a new file behind the same link
    expectStrokes(cached, u"柏", 8);

    // A link to a link, whose middle is repointed.
    const fs::path middle = root.path() / "middle";
    fs::create_symlink(file("b", 8), middle);
    fs::remove(list8);
    fs::create_symlink(middle, list8);
    expectStrokes(cached, u"柏", 8);
    write(root.path() / "other.txt", u"：杉\r\n");
    fs::remove(middle);
    fs::create_symlink(root.path() / "other.txt", middle);
    expectStrokes(cached, u"杉", 8);
}

TEST_F(LinkedData, AHardLinkedFileSeesEditsThroughTheOtherFolder) {
    fs::remove(file("a", 8));
    fs::create_hard_link(file("b", 8), file("a", 8));
    CharacterData cached(root.path() / "a");
    expectStrokes(cached, u"林", 8);
    write(file("b", 8), u"：松\r\n");
    expectStrokes(cached, u"松", 8);
    // Replaced in the other folder only: this folder's file keeps what it holds.
    replace(file("b", 8), u"：柏\r\n");
    expectStrokes(cached, u"松", 8);
    expectStrokes(cached, u"柏", 0);
}

// An analysis is always whole: a folder where a data file should be is a missing file, not a
// failure half-way through the name.
TEST(DamagedShippedData, TheAnalysisIsWholeAndAsWithTheFileMissing) {
    auto analyse = [](const fs::path& folder) {
        CharacterData data(folder);
        MainForm form(data);
        form.load();
        pasteName(form, u"欧阳修", {});
        return readAnalysis(form);
    };
    for (const std::u16string& name :
         {strokeListName(10), strokeListName(30), std::u16string(kSimplifiedTableName),
          std::u16string(kTraditionalTableName), std::u16string(kDoubleSurnameListName)}) {
        SCOPED_TRACE(toUtf8(name));
        test::DataDir missing;
        test::DataDir odd;
        for (const test::DataDir* dir : {&missing, &odd}) {
            fs::copy(test::shippedData(), dir->path(), fs::copy_options::recursive);
            fs::remove(dir->path() / fs::path(toUtf8(name)));
        }
        fs::create_directory(odd.path() / fs::path(toUtf8(name)));
        const Analysis expected = analyse(missing.path());
        const Analysis a = analyse(odd.path());
        EXPECT_EQ(a.surname, expected.surname);
        EXPECT_EQ(a.total, expected.total);
        EXPECT_EQ(a.heaven, expected.heaven);
        EXPECT_EQ(a.person, expected.person);
        EXPECT_EQ(a.earth, expected.earth);
        EXPECT_EQ(a.outer, expected.outer);
        EXPECT_EQ(a.score, expected.score);
        EXPECT_EQ(a.attribute, expected.attribute);
        if (name == strokeListName(30)) {
            EXPECT_EQ(a.total, 42);
            EXPECT_EQ(a.score, u"81");
        }
    }
}

}  // namespace
}  // namespace muwu
