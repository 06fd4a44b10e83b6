// muwu-cli name: runs of the naming engine against the bare analysis.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <vector>

#include "cli/cli.h"
#include "lexicon/name_tables.h"
#include "lexicon/sound_rules.h"
#include "platform/text.h"
#include "tests/cli/run_cli.h"
#include "tests/support/data_dir.h"

namespace muwu {
namespace {

using test::lines;
using test::Result;
using test::runCli;

// The value of a string field of one JSON line, as written (no escapes occur in these).
std::string field(const std::string& json, const std::string& name) {
    const std::string key = "\"" + name + "\":\"";
    const auto at = json.find(key);
    if (at == std::string::npos)
        return {};
    const auto start = at + key.size();
    return json.substr(start, json.find('"', start) - start);
}

// The analysis part of a name line: everything before the fields the command adds.
std::string analysisPart(const std::string& json) {
    return json.substr(0, json.find(",\"accepted\":")) + "}";
}

TEST(NameCommand, ASeedRepeatsTheRunsAndEachRunHasItsOwn) {
    const std::vector<std::string> args = {"name",   "--prefix", "张",     "--runs",    "6",
                                           "--seed", "11",       "--json", "--no-words"};
    const Result a = runCli(args);
    ASSERT_EQ(a.status, 0) << a.err;
    EXPECT_EQ(a.err, "");
    EXPECT_EQ(runCli(args).out, a.out);
    const std::vector<std::string> runs = lines(a.out);
    ASSERT_EQ(runs.size(), 6u);
    std::vector<std::string> names;
    for (const std::string& run : runs)
        names.push_back(field(run, "name"));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(std::unique(names.begin(), names.end()), names.end());

    // Run i of a seed is run 1 of that seed plus i - 1.
    const Result third = runCli({"name", "--prefix", "张", "--seed", "13", "--json", "--no-words"});
    EXPECT_EQ(third.out, runs[2] + "\n");
}

TEST(NameCommand, AcceptedNamesAnalyseAsAnalyzeShowsThem) {
    struct Case {
        std::vector<std::string> name;
        std::vector<std::string> analyze;
    };
    const Case cases[] = {
        {{"--prefix", "欧阳", "--chars", "1"}, {"--no-auto", "--surname-length", "2"}},
        {{"--prefix", "李", "--chars", "3", "--limit", "14"}, {"--no-auto"}},
        {{"--suffix", "科技", "--no-words"}, {"--company", "--no-auto"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"name", "--json", "--runs", "5", "--seed", "1"};
        args.insert(args.end(), c.name.begin(), c.name.end());
        const Result r = runCli(args);
        ASSERT_EQ(r.status, 0) << r.err;
        for (const std::string& run : lines(r.out)) {
            ASSERT_NE(run.find("\"accepted\":true"), std::string::npos) << run;
            std::vector<std::string> again = {"analyze", "--json"};
            again.insert(again.end(), c.analyze.begin(), c.analyze.end());
            again.push_back(field(run, "name"));
            EXPECT_EQ(analysisPart(run) + "\n", runCli(again).out);
            EXPECT_EQ(run.find("\"total\":\"凶\""), std::string::npos) << run;
        }
    }
}

TEST(NameCommand, WordModeNamesTheWordAndTakesAPairOfIt) {
    const Result r = runCli({"name", "--prefix", "王", "--runs", "20", "--seed", "4", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    for (const std::string& run : lines(r.out)) {
        const std::u16string word = fromUtf8(field(run, "word"));
        const std::u16string name = fromUtf8(field(run, "name"));
        ASSERT_EQ(word.size(), 4u) << run;
        ASSERT_EQ(name.size(), 3u);
        const std::u16string pair = name.substr(1);
        const std::u16string odd{word[0], word[2]}, even{word[1], word[3]};
        EXPECT_TRUE(pair == word.substr(0, 2) || pair == word.substr(2, 2) || pair == odd ||
                    pair == even)
            << run;
    }
    const Result text = runCli({"name", "--prefix", "王", "--seed", "4"});
    EXPECT_NE(text.out.find("（来自："), std::string::npos) << text.out;
}

TEST(NameCommand, TimeOutsAreReportedNotPassedOff) {
    // 张 11 with one character of one stroke: a total of 12, unlucky every time.
    const Result r =
        runCli({"name", "--prefix", "张", "--chars", "1", "--limit", "1", "--seed", "2", "--json"});
    EXPECT_EQ(r.status, 5);
    EXPECT_NE(r.out.find("\"accepted\":false,\"attempts\":32"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"total\":12"), std::string::npos);

    const Result text = runCli({"name", "--prefix", "张", "--chars", "1", "--limit", "1"});
    EXPECT_EQ(text.status, 5);
    EXPECT_NE(text.out.find("运转超时！请适当的提高笔画复杂程度。"), std::string::npos);
}

TEST(NameCommand, SettingsTheEngineRefusesAreUsageErrors) {
    const std::vector<std::vector<std::string>> bad = {
        {"name", "--limit", "abc", "--no-words"},
        {"name", "--limit", "0", "--chars", "3"},
        {"name", "--chars", "23"},
        {"name", "--chars", "two"},
        {"name", "--runs", "0"},
        {"name", "--seed", "-1"},
        {"name", "--prefix", "一二三四五六七八九十一"},
        {"name", "张"},
        {"name", "--company"},
    };
    for (const auto& args : bad) {
        const Result r = runCli(args);
        EXPECT_EQ(r.status, 2) << args[1];
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err, "");
    }
    // The option is named, whatever the mode: a limit is a whole number from 1 to 30, and at
    // least one character is drawn.
    for (const auto& args : std::vector<std::vector<std::string>>{{"--limit", "40", "--no-words"},
                                                                  {"--limit", "abc"},
                                                                  {"--limit", "0"},
                                                                  {"--limit", "2.5"},
                                                                  {"--chars", "0"}}) {
        std::vector<std::string> all = {"name", "--prefix", "张", "--seed", "2"};
        all.insert(all.end(), args.begin(), args.end());
        const Result r = runCli(all);
        EXPECT_EQ(r.status, 2) << args[1];
        EXPECT_TRUE(r.err.starts_with("muwu-cli: " + args[0] + " 需要 1 到 ")) << r.err;
    }
    // 30 itself is a limit the engine takes (a run may still time out, which is no usage error).
    EXPECT_NE(runCli({"name", "--prefix", "张", "--limit", "30", "--seed", "2"}).status, 2);
}

// Characters beyond the basic plane are one character each in what the user is told.
TEST(NameCommand, ThePrefixIsCountedInCharacters) {
    Result r = runCli({"name", "--prefix", "𠀀𠀁𠀂𠀃𠀄𠀅𠀆𠀇𠀈𠀉𠀊"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("有 11 个"), std::string::npos) << r.err;
    r = runCli({"name", "--prefix", "𠀀𠀁𠀂𠀃𠀄𠀅"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("的 6 个字中有基本平面以外的字"), std::string::npos) << r.err;
    EXPECT_NE(runCli({"name", "--prefix", "𠀀𠀁", "--seed", "1", "--no-words"}).status, 2);
    r = runCli({"name", "--prefix", "王\xff"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--prefix 的值“王\uFFFD”不是有效的 UTF-8 文字"), std::string::npos)
        << r.err;
    EXPECT_EQ(runCli({"name", "--prefix", "王", "--suffix", "\xc0"}).status, 2);
}

TEST(NameCommand, WithoutTheWordListItSaysSoAndDrawsCharacters) {
    test::DataDir dir;
    for (const auto& entry : std::filesystem::directory_iterator(test::shippedData())) {
        const std::string ext = entry.path().extension().string();
        if ((ext == ".txt" || ext == ".lib") && entry.path().filename() != "4.lib")
            std::filesystem::copy_file(entry.path(), dir.path() / entry.path().filename());
    }
    const Result r =
        runCli({"--data", dir.path().string(), "name", "--prefix", "王", "--json", "--seed", "3"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("找不到词库“4.lib”"), std::string::npos) << r.err;
    EXPECT_EQ(r.out.find("\"word\""), std::string::npos);
    EXPECT_EQ(fromUtf8(field(r.out, "name")).size(), 3u);
}

// The generated characters of every candidate line of a --json run (surname 张 cut off).
std::u16string generated(const std::string& out) {
    std::u16string chars;
    for (const std::string& line : lines(out))
        chars += fromUtf8(field(line, "name")).substr(1);
    return chars;
}

bool topTier(char16_t c) {
    const NameCharacter* n = nameCharacter(c);
    return n && n->tier == kTopTier;
}

TEST(NameCommand, DrawsTheFirstTierForTheGenderUnlessMoreIsAsked) {
    std::vector<std::string> args = {"name",    "--prefix", "张",        "--chars", "3",
                                     "--limit", "6",        "--runs",    "40",      "--seed",
                                     "5",       "--json",   "--no-words"};
    const Result table = runCli(args);
    ASSERT_EQ(table.status, 0) << table.err;
    const std::u16string a = generated(table.out);
    EXPECT_GT(a.size(), 40u);
    EXPECT_TRUE(std::all_of(a.begin(), a.end(), topTier)) << toUtf8(a);
    for (const std::string& line : lines(table.out))
        EXPECT_TRUE(judgeName(u"张", fromUtf8(field(line, "name")).substr(1)).ok()) << line;

    args.insert(args.end(), {"--gender", "女"});
    const Result girls = runCli(args);
    ASSERT_EQ(girls.status, 0) << girls.err;
    const std::u16string g = generated(girls.out);
    EXPECT_TRUE(std::none_of(g.begin(), g.end(), [](char16_t c) {
        return nameCharacter(c)->lean == Lean::male;
    })) << toUtf8(g);

    args.push_back("--all-chars");
    const Result all = runCli(args);
    ASSERT_EQ(all.status, 0) << all.err;
    const std::u16string b = generated(all.out);
    EXPECT_TRUE(std::any_of(b.begin(), b.end(), [](char16_t c) { return !nameCharacter(c); }))
        << toUtf8(b);
    EXPECT_NE(runCli({"--help"}).out.find("--all-chars"), std::string::npos);
    EXPECT_EQ(runCli({"analyze", "--all-chars", "张三"}).status, 2);
    EXPECT_EQ(runCli({"name", "--prefix", "张", "--gender", "男孩"}).status, 2);
    EXPECT_EQ(runCli({"name", "--suffix", "科技", "--gender", "男"}).status, 2);
}

// --birth (as search reads it) or --supply steers the character draws to the wanted elements:
// the proposed given names' attributes, from the analysis, bring them.
TEST(NameCommand, DrawsBringTheWantedElements) {
    for (const std::vector<std::string>& wanted :
         {std::vector<std::string>{"--supply", "水"}, {"--birth", "2024-02-10 08:30"}}) {
        std::vector<std::string> args = {"name",   "--prefix", "王",     "--runs",    "8",
                                         "--seed", "5",        "--json", "--no-words"};
        args.insert(args.end(), wanted.begin(), wanted.end());
        const Result r = runCli(args);
        ASSERT_EQ(r.status, 0) << r.err;
        const std::string supply = wanted[0] == "--supply" ? "水" : "金水";
        for (const std::string& line : lines(r.out)) {
            EXPECT_EQ(field(line, "supply"), supply) << line;
            const std::u16string given = fromUtf8(field(line, "attribute")).substr(1);
            for (const char16_t e : fromUtf8(supply))
                EXPECT_NE(given.find(e), std::u16string::npos) << line;
        }
    }
    const Result text = runCli({"name", "--prefix", "王", "--supply", "木", "--seed", "1"});
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_TRUE(text.out.starts_with("要补的五行：木")) << text.out;
    EXPECT_EQ(runCli({"name", "--prefix", "王", "--supply", "铁"}).status, cli::kExitUsage);
    EXPECT_EQ(runCli({"analyze", "--supply", "金", "王一"}).status, cli::kExitUsage);
}

}  // namespace
}  // namespace muwu
