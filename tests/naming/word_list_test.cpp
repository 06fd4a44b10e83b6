#include "naming/word_list.h"

#include <gtest/gtest.h>

#include <set>

#include "platform/gbk.h"
#include "platform/text.h"
#include "tests/support/data_dir.h"

namespace muwu {
namespace {

constexpr std::u16string_view kThree = u"单木不林\r\n鸡犬升天\r\n一代新人\r\n";  // 18 characters

struct Draw {
    const char* why;
    double r;
    std::u16string_view word;
};

TEST(WordList, ADrawTakesTheWordBeforeTheNextCarriageReturn) {
    const WordList words{std::u16string(kThree)};
    ASSERT_EQ(words.wordCount(), 3u);
    const double n = 18;
    const Draw rows[] = {
        {"start on the first character", 0.0, u"单木不林"},
        {"start on the first CR", 4 / n, u"单木不林"},
        {"start on the LF after it", 5 / n, u"鸡犬升天"},
        {"start inside the second word", 7 / n, u"鸡犬升天"},
        {"start on the last CR", 16 / n, u"一代新人"},
        // The final LF follows the last CR: the draw goes round to the first word.
        {"start after the last CR", 17 / n, u"单木不林"},
        {"largest draw", 0.99999994, u"单木不林"},
    };
    for (const Draw& d : rows)
        EXPECT_EQ(words.draw(d.r), d.word) << d.why;
}

TEST(WordList, LinesThatAreNotFourCharacterWordsArePassedOver) {
    // A short first line would otherwise lend characters from before the text's start, and a
    // short line later on the end of the word before it.
    const WordList words{std::u16string(u"天地\r\n日月星辰\r\n山\r\n五个字的行\r\n  风云\r\n")};
    EXPECT_EQ(words.wordCount(), 1u);
    for (double r = 0; r < 1; r += 0.01)
        EXPECT_EQ(words.draw(r), u"日月星辰") << r;

    EXPECT_TRUE(WordList(std::u16string(u"一二三四\n五六七八\n")).empty());  // no CR at all
    EXPECT_TRUE(WordList(std::u16string()).empty());
    EXPECT_EQ(WordList(std::u16string()).draw(0.5), u"");
    // Without a final line end the last word has no CR and is not one.
    EXPECT_EQ(WordList(std::u16string(u"一二三四\r五六七八")).wordCount(), 1u);
}

TEST(WordList, LoadsGbkAndSaysWhyItCannot) {
    test::DataDir dir;
    const auto file = dir.path() / std::filesystem::path(toUtf8(kWordListName));

    WordListLoad load = loadWordList(file);
    EXPECT_EQ(load.status, WordListStatus::missing);
    EXPECT_TRUE(load.words.empty());
    EXPECT_NE(wordListProblem(load).find(u"找不到词库“4.lib”"), std::u16string::npos);

    dir.write(kWordListName, kThree);
    load = loadWordList(file);
    EXPECT_EQ(load.status, WordListStatus::ok);
    EXPECT_EQ(load.words.text(), kThree);
    EXPECT_EQ(load.words.wordCount(), 3u);
    EXPECT_EQ(wordListProblem(load), u"");
    EXPECT_EQ(load.damage, "");

    // A byte that is not GBK spoils only its own word.
    std::string bytes = encodeGbk(kThree).bytes;
    bytes[0] = '\x80';
    dir.writeBytes(kWordListName, bytes);
    load = loadWordList(file);
    EXPECT_EQ(load.status, WordListStatus::ok);
    EXPECT_EQ(load.words.wordCount(), 2u);
    EXPECT_NE(load.damage.find("处有无效的 GBK 编码"), std::string::npos) << load.damage;

    dir.write(kWordListName, u"一二三四\n");
    load = loadWordList(file);
    EXPECT_EQ(load.status, WordListStatus::noWords);
    EXPECT_NE(wordListProblem(load).find(u"没有以回车结尾的四字词"), std::u16string::npos);

    dir.remove(kWordListName);
    std::filesystem::create_directory(file);
    load = loadWordList(file);
    EXPECT_EQ(load.status, WordListStatus::unreadable);
    EXPECT_NE(wordListProblem(load).find(u"无法读取词库“4.lib”"), std::u16string::npos);
}

TEST(WordList, TheShippedListServesEveryDrawWithOneOfItsLines) {
    const WordListLoad load =
        loadWordList(test::shippedData() / std::filesystem::path(toUtf8(kWordListName)));
    ASSERT_EQ(load.status, WordListStatus::ok);
    EXPECT_EQ(load.words.wordCount(), 8787u);
    std::set<std::u16string> lines;
    forEachLine(load.words.text(), [&](std::u16string_view line) { lines.emplace(line); });
    std::set<std::u16string_view> seen;
    for (int i = 0; i < 100000; ++i) {
        const std::u16string_view w = load.words.draw(i / 100000.0);
        ASSERT_TRUE(lines.contains(std::u16string(w))) << toUtf8(w);
        seen.insert(w);
    }
    EXPECT_EQ(seen.size(), 8787u);  // the steps are finer than one line
}

}  // namespace
}  // namespace muwu
