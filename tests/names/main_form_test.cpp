#include "names/main_form.h"

#include <gtest/gtest.h>

#include "names/analysis.h"
#include "platform/text.h"
#include "tests/support/data_dir.h"

namespace muwu {
namespace {

class MainFormTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir.writeSample();
        form.load();
    }
    void type(std::u16string_view name) {
        for (std::size_t i = 1; i <= name.size(); ++i)
            form.setText3(name.substr(0, i));
    }
    test::DataDir dir;
    CharacterData data{dir.path()};
    MainForm form{data};
};

TEST_F(MainFormTest, LoadsEmpty) {
    EXPECT_EQ(form.caption, u"沐梧取名器 V3.0.28");
    EXPECT_EQ(form.Text3, u"");
    EXPECT_EQ(form.姓长度, 1);
    EXPECT_TRUE(form.单姓 && form.人名 && form.自动识别姓氏 && form.gridFramesVisible);
    EXPECT_EQ(form.评分, u"评分");
    EXPECT_EQ(form.总笔画数, u"总笔画数");
    EXPECT_EQ(form.天格笔画数, u"天格笔画数");
    EXPECT_EQ(form.全称属性, u"");
    EXPECT_EQ(form.笔画数, u"2");  // the empty text was looked up: the first list line is in 02
}

TEST_F(MainFormTest, ComputesTheFiveGridsOfTheUsualShapes) {
    type(u"李田思");  // 7, 5, 9
    EXPECT_EQ(form.天格笔画数, u"8");
    EXPECT_EQ(form.人格笔画数, u"12");
    EXPECT_EQ(form.地格笔画数, u"14");
    EXPECT_EQ(form.外格笔画数, u"10");
    EXPECT_EQ(form.总笔画数, u"21");
    EXPECT_EQ(form.Text4, luckEntry(21));
    EXPECT_EQ(form.Text6, luckEntry(12));
    EXPECT_EQ(form.colourText6, kRed);
    EXPECT_EQ(form.colourText4, kGreen);
    EXPECT_EQ(form.全称属性, u"木火木");
    EXPECT_EQ(form.姓, u"李");
    EXPECT_EQ(form.名, u"田思");
    // 三才 of 8, 12, 14: 金木火, 金剋木 above and 木生火 below.
    ASSERT_TRUE(form.三才);
    EXPECT_EQ(elementsText(*form.三才), u"金木火");
    EXPECT_EQ(form.三才->verdict, SancaiClass::middling);

    form.setText3(u"王文");  // 1 + 1: 外格 is 2 whatever the strokes
    EXPECT_EQ(form.外格笔画数, u"2");
    EXPECT_EQ(form.地格笔画数, u"5");
    EXPECT_EQ(form.三才, sancaiOf(5, 8, 5));
    form.setText3(u"李");  // no given name, no 三才
    EXPECT_FALSE(form.三才);

    form.set自动识别姓氏(false);
    form.setText3(u"丁王朱");  // 2, 4, 6 as a double surname
    form.set姓长度(2);
    EXPECT_EQ(form.天格笔画数, u"6");
    EXPECT_EQ(form.人格笔画数, u"10");
    EXPECT_EQ(form.地格笔画数, u"7");
    EXPECT_EQ(form.外格笔画数, u"3");
    EXPECT_EQ(form.总笔画数, u"12");
}

// Surname 丁三田思 (2, 3, 5, 9) and given name 华葛李 (14, 18, 7), cut to every length: distinct
// counts, so a grid that takes the wrong character shows another number.
struct GridRow {
    int surname, given;
    long long heaven, person, earth, outer, total;
};

std::u16string shown(long long n) {
    return fromUtf8(std::to_string(n));
}

TEST_F(MainFormTest, EveryGridOfSurnamesOfOneToFourAndGivenNamesOfOneToThree) {
    const std::u16string_view surname = u"丁三田思", given = u"华葛李";
    const GridRow rows[] = {
        {1, 1, 3, 16, 15, 2, 16},   {1, 2, 3, 16, 32, 19, 34},  {1, 3, 3, 16, 39, 26, 41},
        {2, 1, 5, 17, 15, 3, 19},   {2, 2, 5, 17, 32, 20, 37},  {2, 3, 5, 17, 39, 27, 44},
        {3, 1, 8, 19, 15, 6, 24},   {3, 2, 8, 19, 32, 23, 42},  {3, 3, 8, 19, 39, 30, 49},
        {4, 1, 14, 23, 15, 11, 33}, {4, 2, 14, 23, 32, 28, 51}, {4, 3, 14, 23, 39, 35, 58},
    };
    for (const GridRow& row : rows) {
        const std::u16string name = std::u16string(surname.substr(0, row.surname)) +
                                    std::u16string(given.substr(0, row.given));
        SCOPED_TRACE(toUtf8(name) + ", surname length " + std::to_string(row.surname));
        MainForm f(data);
        f.load();
        const AnalysisOptions options{false, row.surname, false};
        pasteName(f, name, options);
        ASSERT_EQ(f.姓, surname.substr(0, row.surname));
        EXPECT_EQ(f.天格笔画数, shown(row.heaven));
        EXPECT_EQ(f.人格笔画数, shown(row.person));
        EXPECT_EQ(f.地格笔画数, shown(row.earth));
        EXPECT_EQ(f.外格笔画数, shown(row.outer));
        EXPECT_EQ(f.总笔画数, shown(row.total));
        EXPECT_EQ(f.Text5, luckEntry(static_cast<int>(row.heaven)));
        EXPECT_EQ(f.Text8, luckEntry(static_cast<int>(row.outer)));

        // The analysis the command line and the name search use gives the same numbers.
        const Analysis a = analyseName(data, name, options);
        EXPECT_EQ(a.surname, surname.substr(0, row.surname));
        EXPECT_EQ(a.heaven, row.heaven);
        EXPECT_EQ(a.person, row.person);
        EXPECT_EQ(a.earth, row.earth);
        EXPECT_EQ(a.outer, row.outer);
        EXPECT_EQ(a.total, row.total);
    }
}

TEST_F(MainFormTest, ScoresFromTheClassesOfTheFiveTexts) {
    type(u"李田思");  // 21 大吉, 8 吉, 12 凶, 14 凶, 10 凶
    EXPECT_EQ(form.评分, u"72.8");
    form.setText3(u"王文");  // 8 吉, 5 大吉, 8 吉, 5 大吉, 2 凶
    EXPECT_EQ(form.评分, u"89.7");
}

TEST_F(MainFormTest, TypingAnalysesAtEveryKeystrokeAndTheFirstCharacterResetsTheLength) {
    form.setText3(u"李田思");
    form.set姓长度(3);
    EXPECT_EQ(form.姓, u"李田思");
    const long before = form.analysisRuns();
    type(u"张三");
    EXPECT_EQ(form.姓长度, 1);
    EXPECT_TRUE(form.单姓);
    EXPECT_GE(form.analysisRuns() - before, 2);
    EXPECT_EQ(form.总笔画数, u"14");
}

TEST_F(MainFormTest, RecognisesDoubleSurnamesThroughANestedAnalysis) {
    const long before = form.analysisRuns();
    form.setText3(u"欧阳修");
    EXPECT_EQ(form.analysisRuns() - before, 2);  // the outer one and the nested one
    EXPECT_EQ(form.姓长度, 2);
    EXPECT_TRUE(form.复姓);
    EXPECT_EQ(form.姓, u"欧阳");
    EXPECT_EQ(form.名, u"修");
    EXPECT_EQ(form.天格笔画数, u"27");

    form.setText3(u"欧阳");  // too short to be recognised, but the length found still fits it
    EXPECT_EQ(form.姓长度, 2);
    form.setText3(u"张三丰");  // pasted over it, not in the list: the length found goes
    EXPECT_EQ(form.姓长度, 1);
    EXPECT_TRUE(form.单姓);
    EXPECT_EQ(form.姓, u"张");
    EXPECT_EQ(form.名, u"三丰");

    // A length the user chose stays for the next name.
    form.set姓长度(2);
    form.setText3(u"李田思");
    EXPECT_EQ(form.姓, u"李田");
    form.setText3(u"欧");
    EXPECT_EQ(form.姓长度, 1);
    form.setText3(u"欧阳");
    EXPECT_EQ(form.姓长度, 1);
}

TEST_F(MainFormTest, RecognitionNeedsTheTickAndThePersonalMode) {
    form.set自动识别姓氏(false);
    form.setText3(u"诸葛亮");
    EXPECT_EQ(form.姓长度, 1);
    form.set自动识别姓氏(true);  // ticking analyses again
    EXPECT_EQ(form.姓长度, 2);

    form.setText3(u"");
    form.release公司名();
    form.setText3(u"诸葛亮");
    EXPECT_EQ(form.姓长度, 1);
}

TEST_F(MainFormTest, ADoubleSurnameAloneLooksUpTheEmptyText) {
    form.set自动识别姓氏(false);
    form.setText3(u"欧阳");
    form.set姓长度(2);
    EXPECT_EQ(form.名, u"");
    EXPECT_EQ(form.人格笔画数, u"14");  // 阳 12 + the empty text 2
    EXPECT_EQ(form.地格笔画数, u"0");
    EXPECT_EQ(form.Text7, u"");
    EXPECT_EQ(form.外格笔画数, u"13");  // 27 - 14
}

TEST_F(MainFormTest, OptionButtonsReactToTheMouseOnly) {
    form.setText3(u"张三丰");
    long runs = form.analysisRuns();
    form.release复姓();  // from length 1, the surname becomes two characters: the option holds
    EXPECT_EQ(form.analysisRuns(), runs + 1);
    EXPECT_TRUE(form.复姓);
    EXPECT_EQ(form.姓长度, 2);
    EXPECT_EQ(form.姓, u"张三");
    form.setText3(u"李田思");  // chosen, so kept
    EXPECT_EQ(form.姓, u"李田");
    form.release单姓();
    EXPECT_EQ(form.姓, u"李");

    form.select单姓();
    runs = form.analysisRuns();
    form.release单姓();  // already 1: nothing runs
    EXPECT_EQ(form.analysisRuns(), runs);

    form.select公司名();  // by keyboard: no analysis until the name changes
    EXPECT_TRUE(form.gridFramesVisible);
    EXPECT_EQ(form.analysisRuns(), runs);
    form.setText3(u"张三丰");
    EXPECT_FALSE(form.gridFramesVisible);
}

TEST_F(MainFormTest, CompanyModeJudgesTheTotalAlone) {
    form.setText3(u"李田思");
    const std::u16string personGrid = form.天格笔画数;
    form.release公司名();
    EXPECT_EQ(form.总运板, u"总运：");
    EXPECT_FALSE(form.gridFramesVisible);
    EXPECT_EQ(form.评分, u"100");  // 21 大吉
    EXPECT_FALSE(form.三才);
    form.setText3(u"王文");  // 8 吉
    EXPECT_EQ(form.评分, u"85");
    EXPECT_EQ(form.天格笔画数, personGrid);  // not computed in company mode
    form.setText3(u"丁");                    // 2 凶
    EXPECT_EQ(form.评分, u"50");
    form.setText3(u"某");  // in no list: no total and no score
    EXPECT_EQ(form.评分, u"评分");
    EXPECT_EQ(form.总笔画数, u"总笔画数");
    form.release人名();
    EXPECT_EQ(form.总运板, u"总运：（后半生）");
    EXPECT_TRUE(form.gridFramesVisible);
}

TEST_F(MainFormTest, ClearingTheNameEmptiesTheTextsButKeepsTotalAndScore) {
    type(u"李田思");
    form.setText3(u"");
    EXPECT_EQ(form.Text4, u"");
    EXPECT_EQ(form.Text8, u"");
    EXPECT_EQ(form.colourText6, kGreen);
    EXPECT_EQ(form.总笔画数, u"21");
    EXPECT_EQ(form.评分, u"72.8");
    EXPECT_EQ(form.姓, u"");
    EXPECT_EQ(form.全称属性, u"");
}

TEST_F(MainFormTest, TotalsAbove80AreReducedForEveryGrid) {
    form.setText3(u"葛葛葛葛思");  // 81
    EXPECT_EQ(form.总笔画数, u"81");
    EXPECT_EQ(form.Text4, luckEntry(1));
    form.setText3(u"葛葛葛葛葛葛葛葛诸");  // 160
    EXPECT_EQ(form.Text4, u"");
    form.setText3(u"葛葛葛葛葛明");  // 地格 80 with a total of 98
    EXPECT_EQ(form.地格笔画数, u"80");
    EXPECT_EQ(form.Text7, u"");
    form.setText3(u"某葛葛葛葛明");  // 地格 80 with a total of exactly 80
    EXPECT_EQ(form.总笔画数, u"80");
    EXPECT_EQ(form.Text7, luckEntry(80));
    form.setText3(u"某某葛葛葛葛明");  // 外格 81 with a total of 80
    EXPECT_EQ(form.外格笔画数, u"81");
    EXPECT_EQ(form.Text8, luckEntry(1));
}

TEST_F(MainFormTest, UnknownCharactersAreNamedAndANameOfNoneShowsNoFigures) {
    type(u"李田思");
    form.setText3(u"abc 12a");
    EXPECT_EQ(form.missingCharacters, u"abc 12");
    // Nothing to count: no number, no text and no score, none left from 李田思 either.
    EXPECT_EQ(form.总笔画数, u"总笔画数");
    EXPECT_EQ(form.天格笔画数, u"天格笔画数");
    EXPECT_EQ(form.外格笔画数, u"外格笔画数");
    for (const std::u16string* text : {&form.Text4, &form.Text5, &form.Text6, &form.Text8})
        EXPECT_EQ(*text, u"");
    EXPECT_EQ(form.colourText6, kGreen);
    EXPECT_EQ(form.评分, u"评分");
    EXPECT_EQ(form.全称属性, u"");
    EXPECT_FALSE(form.三才);  // those grids are another name's

    // Some known: the figures count the known ones, and the others are named.
    form.setText3(u"李a思");
    EXPECT_EQ(form.missingCharacters, u"a");
    EXPECT_EQ(form.总笔画数, u"16");
    EXPECT_NE(form.评分, u"评分");
    form.setText3(u"李\U00020000思");
    EXPECT_EQ(form.missingCharacters, u"\U00020000");
    form.setText3(u"李田思");
    EXPECT_EQ(form.missingCharacters, u"");
}

TEST_F(MainFormTest, NeverCutsASurrogatePair) {
    form.setText3(u"\U00020000张");
    EXPECT_EQ(form.姓, u"\U00020000");
    EXPECT_EQ(form.名, u"张");
    form.set自动识别姓氏(false);
    form.setText3(u"张\U00020000三");
    form.set姓长度(2);
    EXPECT_EQ(form.姓, u"张\U00020000");
    EXPECT_EQ(form.名, u"三");
    EXPECT_EQ(fromUtf8(toUtf8(form.姓)), form.姓);

    // A pair that ends the name exactly where the cut is kept whole goes to the surname.
    for (const auto& [name, length] : {std::pair<std::u16string_view, int>{u"\U00020000", 1},
                                       {u"张\U00020000", 2},
                                       {u"张三\U00020000", 3}}) {
        SCOPED_TRACE(toUtf8(name));
        MainForm f(data);
        f.load();
        const AnalysisOptions options{false, length, false};
        pasteName(f, name, options);
        EXPECT_EQ(f.姓, name);
        EXPECT_EQ(f.名, u"");
        const Analysis a = analyseName(data, name, options);
        EXPECT_EQ(a.surname, name);
        EXPECT_EQ(a.given, u"");
    }
}

TEST_F(MainFormTest, WhileNamingTheSurnameIsLeftAloneAndAnEmptyNameIsStillAnalysed) {
    form.正在取名 = true;
    form.set自动识别姓氏(false);
    const long runs = form.analysisRuns();
    form.set姓长度(3);
    EXPECT_EQ(form.analysisRuns(), runs);
    EXPECT_TRUE(form.复姓);
    form.setText3(u"张");
    EXPECT_EQ(form.姓长度, 3);
    form.setText3(u"");
    EXPECT_EQ(form.总笔画数, u"0");
    form.set姓长度(2);
    form.setText3(u"欧阳明");
    EXPECT_EQ(form.姓, u"欧阳");
    EXPECT_EQ(form.全称属性, u"");  // computed only once a name is accepted
    form.press求全称属性();
    EXPECT_EQ(form.全称属性, u"土土火");
}

TEST_F(MainFormTest, APastedNameMatchesTheSameNameTyped) {
    MainForm other(data);
    other.load();
    pasteName(other, u"欧阳修", {});
    type(u"欧阳修");
    EXPECT_EQ(readAnalysis(other).surname, readAnalysis(form).surname);
    EXPECT_EQ(other.评分, form.评分);
    EXPECT_EQ(other.Text8, form.Text8);
}

TEST_F(MainFormTest, AnalysisSeesADataChangeAtOnce) {
    form.setText3(u"王文");
    EXPECT_EQ(form.总笔画数, u"8");
    dir.writeList(4, u"：王 文 马\r\n");
    form.setText3(u"王文马");
    EXPECT_EQ(form.总笔画数, u"12");  // 马 now counts 4, the first list wins
}

}  // namespace
}  // namespace muwu

namespace muwu {
namespace {

TEST_F(MainFormTest, TheWorkAreaButtonsRunOnTheirOwn) {
    form.setText1(u"张");
    EXPECT_EQ(form.Text2, u"張");
    EXPECT_EQ(form.笔画数, u"11");
    form.Text1 = u"刘";  // as if typed with both handlers held back
    form.press求笔画();
    EXPECT_EQ(form.笔画数, u"15");
    EXPECT_EQ(form.Text2, u"張");
    form.press简体转换为繁体();
    EXPECT_EQ(form.Text2, u"劉");
    form.Text1 = u"刘张";
    form.press简体转换为繁体();  // not one character: Text2 keeps what it had
    EXPECT_EQ(form.Text2, u"劉");
}

}  // namespace
}  // namespace muwu
