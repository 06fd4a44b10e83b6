// muwu-cli search and the analysis writer it shares with analyze.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <string>

#include "cli/analysis_json.h"
#include "cli/analysis_output.h"
#include "cli/cli.h"
#include "cli/json.h"
#include "lexicon/name_tables.h"
#include "platform/text.h"
#include "tests/cli/run_cli.h"
#include "tests/support/data_dir.h"

namespace muwu {
namespace {

using test::lines;
using test::Result;
using test::runCli;

// The object the general JSON writer makes of an analysis.
std::string generalJson(const Analysis& a) {
    std::string out;
    json::Object object(out);
    cli::analysisFields(object, a).close();
    return out + "\n";
}

TEST(AnalysisJson, WritesWhatTheGeneralWriterWrites) {
    CharacterData data(test::shippedData());
    std::mt19937 rng(3);
    const std::u16string odd = u"王欧阳修a\"\\\n\t\x7f\x01é𠀀\xD800 （）";
    for (int i = 0; i < 5000; ++i) {
        std::u16string name;
        for (std::size_t n = rng() % 7; n > 0; --n)
            name += odd[rng() % odd.size()];
        AnalysisOptions o;
        o.company = rng() % 4 == 0;
        const Analysis a = analyseName(data, name, o);
        std::string fast;
        cli::appendAnalysisJson(fast, a);
        ASSERT_EQ(fast, generalJson(a)) << toUtf8(name);
    }
}

// JSON allows no raw character below U+0020; DEL is escaped too, so no terminal acts on it.
TEST(AnalysisJson, EveryControlCharacterIsWrittenAsAnEscape) {
    CharacterData data(test::shippedData());
    std::u16string controls;
    for (char16_t c = 0; c < 0x20; ++c)
        controls += c;
    controls += u'\x7f';
    for (const char16_t c : controls) {
        SCOPED_TRACE(static_cast<int>(c));
        const std::u16string name = std::u16string(u"王") + c + u"明";
        std::string escape = c == u'\n' ? "\\n" : c == u'\r' ? "\\r" : c == u'\t' ? "\\t" : "";
        if (escape.empty()) {
            static constexpr char kHex[] = "0123456789abcdef";
            escape = std::string("\\u00") + kHex[c >> 4] + kHex[c & 0xF];
        }
        std::string general;
        json::appendString(general, name);
        EXPECT_EQ(general, "\"王" + escape + "明\"");

        // The fast writer passes such a name to the general one, and writes no raw control byte.
        std::string fast;
        cli::appendAnalysisJson(fast, analyseName(data, name, {}));
        EXPECT_NE(fast.find("\"name\":" + general), std::string::npos) << fast;
        ASSERT_TRUE(fast.ends_with('\n'));
        for (std::size_t i = 0; i + 1 < fast.size(); ++i) {
            const auto b = static_cast<unsigned char>(fast[i]);
            ASSERT_TRUE(b >= 0x20 && b != 0x7F) << "byte " << i << " of " << fast;
        }
    }
}

TEST(SearchCommand, EveryListedNameAnalysesAlikeThroughAnalyze) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"search", "--surname", "王", "--top", "40", "--json"},
          {"search", "--surname", "欧阳", "--keep", "明", "--at", "2", "--top", "30", "--json"},
          {"search", "--surname", "诸葛", "--given-length", "1", "--all-chars", "--json"},
          {"--data", test::shippedData().string(), "search", "--surname", "张王", "--exclude",
           "一二", "--attribute", "金木", "--min-score", "99", "--json"}}) {
        const Result r = runCli(args);
        ASSERT_EQ(r.status, 0) << r.err;
        const std::vector<std::string> out = lines(r.out);
        ASSERT_GT(out.size(), 1u);
        EXPECT_TRUE(out[0].starts_with("{\"total\":")) << out[0];
        const std::size_t surnameLength = fromUtf8(args[args[0] == "--data" ? 4 : 2]).size();
        for (std::size_t i = 1; i < out.size(); ++i) {
            const std::string rank = ",\"rank\":" + std::to_string(i) + "}";
            ASSERT_TRUE(out[i].ends_with(rank)) << out[i];
            const std::size_t at = out[i].find("\"name\":\"") + 8;
            const std::string name = out[i].substr(at, out[i].find('"', at) - at);
            const Result a = runCli({"analyze", "--json", "--no-auto", "--surname-length",
                                     std::to_string(surnameLength), name});
            ASSERT_EQ(a.out, out[i].substr(0, out[i].size() - rank.size()) + "}\n");
        }
    }
}

TEST(SearchCommand, CountsAndListsAsText) {
    Result r = runCli({"search", "--surname", "王", "--keep", "子", "--top", "3"});
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::string> out = lines(r.out);
    ASSERT_EQ(out.size(), 4u);
    EXPECT_TRUE(out[0].starts_with("共 ")) << out[0];
    EXPECT_NE(out[0].find("列出前 3 个"), std::string::npos);
    EXPECT_TRUE(out[1].starts_with("1. 王子")) << out[1];
    EXPECT_NE(out[1].find("评分 100"), std::string::npos);

    // The count on the first JSON line is the one the text gives.
    const Result j = runCli({"search", "--surname", "王", "--keep", "子", "--top", "3", "--json"});
    const std::string total = out[0].substr(out[0].find(' ') + 1);
    EXPECT_EQ(lines(j.out)[0], "{\"total\":" + total.substr(0, total.find(' ')) + "}");

    r = runCli({"search", "--company", "--surname", "沐梧", "--suffix", "科技", "--given-length",
                "1", "--top", "1"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("沐梧"), std::string::npos);
    EXPECT_EQ(r.out.find("天格"), std::string::npos);  // only the total counts for a company
}

// A total of every qualifying name, from the first line of a --json search.
long long totalOf(const std::vector<std::string>& args) {
    std::vector<std::string> all = args;
    all.insert(all.end(), {"--top", "1", "--json"});
    const Result r = runCli(all);
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string first = lines(r.out).at(0);
    return std::stoll(first.substr(first.find(':') + 1));
}

TEST(SearchCommand, ShowsPinyinAndMeaningsAndHonoursGenderAndTiers) {
    Result r = runCli({"search", "--surname", "欧阳", "--gender", "女", "--top", "10"});
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::string> out = lines(r.out);
    ASSERT_EQ(out.size(), 11u);
    for (std::size_t i = 1; i < out.size(); ++i) {
        const std::u16string line = fromUtf8(out[i]);
        const std::size_t at = line.find(u"欧阳");
        ASSERT_NE(at, std::u16string::npos) << out[i];
        const std::u16string given = line.substr(at + 2, 2);
        EXPECT_NE(line.find(u"（ōu yáng " + namePinyin({}, given) + u"）"), std::u16string::npos)
            << out[i];
        EXPECT_NE(line.find(u"寓意 " + given.substr(0, 1) + u"：" +
                            std::u16string(meaningOf(given[0], false))),
                  std::u16string::npos)
            << out[i];
        for (const char16_t c : given)
            EXPECT_NE(nameCharacter(c)->lean, Lean::male) << out[i];
    }

    r = runCli({"search", "--surname", "单", "--top", "3", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    out = lines(r.out);
    ASSERT_EQ(out.size(), 4u);
    for (std::size_t i = 1; i < out.size(); ++i) {
        EXPECT_NE(out[i].find("\"pinyin\":\"shàn "), std::string::npos) << out[i];
        EXPECT_NE(out[i].find("\"meanings\":[{\"char\":"), std::string::npos) << out[i];
    }

    // Each widening admits more names: the second tier, then every listed character.
    const std::vector<std::string> li = {"search", "--surname", "李"};
    std::vector<std::string> boys = li, tiers = li, every = li;
    boys.insert(boys.end(), {"--gender", "男"});
    tiers.push_back("--all-tiers");
    every.push_back("--all-chars");
    EXPECT_LT(totalOf(boys), totalOf(li));
    EXPECT_LT(totalOf(li), totalOf(tiers));
    EXPECT_LT(totalOf(tiers), totalOf(every));
}

// --min-score X keeps the names scoring exactly X: at the best score and at one further down,
// the list holds every name of the unfiltered list that scores X or more.
TEST(SearchCommand, TheMinimumScoreKeepsNamesScoringExactlyIt) {
    const std::vector<std::string> every = {"search", "--surname", "王",      "--given-length",
                                            "1",      "--top",     "1000000", "--json"};
    const Result all = runCli(every);
    ASSERT_EQ(all.status, 0) << all.err;
    std::vector<std::string> scores;  // as written, best first
    for (const std::string& line : lines(all.out)) {
        const std::size_t at = line.find("\"score\":\"");
        if (at != std::string::npos)
            scores.push_back(line.substr(at + 9, line.find('"', at + 9) - at - 9));
    }
    ASSERT_GT(scores.size(), 100u);
    for (const std::string& least : {scores.front(), scores[scores.size() / 2]}) {
        const auto kept = std::count_if(scores.begin(), scores.end(), [&](const std::string& s) {
            return std::stod(s) >= std::stod(least);
        });
        std::vector<std::string> args = every;
        args.insert(args.end(), {"--min-score", least});
        const Result r = runCli(args);
        ASSERT_EQ(r.status, 0) << r.err;
        const std::vector<std::string> out = lines(r.out);
        EXPECT_EQ(out.front(), "{\"total\":" + std::to_string(kept) + "}") << least;
        EXPECT_EQ(static_cast<long>(out.size()) - 1, kept) << least;
    }
}

// --sancai C keeps the names of class C and better, and each text line shows the 三才.
TEST(SearchCommand, TheSancaiFilterKeepsThatClassAndBetter) {
    const std::vector<std::string> li = {"search", "--surname", "李", "--all-tiers"};
    auto with = [&](const char* floor) {
        std::vector<std::string> args = li;
        args.insert(args.end(), {"--sancai", floor});
        return args;
    };
    const long long all = totalOf(li), bad = totalOf(with("凶")), middling = totalOf(with("平")),
                    good = totalOf(with("吉"));
    EXPECT_EQ(bad, all);  // every personal name of listed characters has a 三才
    EXPECT_LT(middling, bad);
    EXPECT_LT(good, middling);
    EXPECT_GT(good, 0);

    std::vector<std::string> args = with("平");
    args.insert(args.end(), {"--given-length", "1", "--top", "100000"});
    const Result r = runCli(args);
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> out = lines(r.out);
    ASSERT_GT(out.size(), 2u);
    std::size_t middlingSeen = 0;
    for (std::size_t i = 1; i < out.size(); ++i) {
        const std::size_t at = out[i].find("　三才 ");
        ASSERT_NE(at, std::string::npos) << out[i];
        const std::string shown = out[i].substr(at + std::string("　三才 ").size(), 18);
        EXPECT_TRUE(shown.ends_with("（吉）") || shown.ends_with("（平）")) << out[i];
        middlingSeen += shown.ends_with("（平）");
    }
    EXPECT_GT(middlingSeen, 0u);
}

// --birth wants what the chart lacks, as bazi reads the same moment; a chart lacking nothing
// wants nothing, and the list is the plain one.
TEST(SearchCommand, ABirthMomentWantsTheElementsItsChartLacks) {
    const Result chart = runCli({"bazi", "2024-02-10", "08:30", "--tz", "Asia/Shanghai"});
    ASSERT_EQ(chart.status, 0) << chart.err;
    ASSERT_NE(chart.out.find("所缺五行：金水\n"), std::string::npos) << chart.out;
    const std::vector<std::string> li = {"search", "--surname", "李", "--top", "20"};
    auto with = [&](std::vector<std::string> more) {
        std::vector<std::string> args = li;
        args.insert(args.end(), more.begin(), more.end());
        return runCli(args);
    };
    const Result birth = with({"--birth", "2024-02-10 08:30"});
    const Result supply = with({"--supply", "水金"});
    ASSERT_EQ(birth.status, 0) << birth.err;
    ASSERT_EQ(supply.status, 0) << supply.err;
    std::vector<std::string> out = lines(birth.out);
    EXPECT_TRUE(out[1].starts_with("八字所缺五行：金水")) << out[1];
    // The same wanted elements in another order give the same list.
    const std::vector<std::string> named = lines(supply.out);
    EXPECT_EQ(std::vector(out.begin() + 2, out.end()), std::vector(named.begin() + 2, named.end()));
    // The best names bring both: their given name's attributes hold 金 and 水.
    for (std::size_t i = 2; i < 7; ++i) {
        const std::string attributes = out[i].substr(out[i].find("属性 ") + 7, 9);
        EXPECT_NE(attributes.find("金"), std::string::npos) << out[i];
        EXPECT_NE(attributes.find("水"), std::string::npos) << out[i];
    }
    const Result json = with({"--birth", "2024-02-10 08:30", "--json"});
    EXPECT_TRUE(lines(json.out)[0].ends_with(",\"supply\":\"金水\"}")) << json.out;

    const Result whole = with({"--birth", "2010-10-10 08:30", "--zi-day", "0"});
    ASSERT_EQ(whole.status, 0) << whole.err;
    out = lines(whole.out);
    EXPECT_TRUE(out[1].starts_with("八字五行俱全")) << out[1];
    const std::vector<std::string> plain = lines(with({}).out);
    EXPECT_EQ(std::vector(out.begin() + 2, out.end()), std::vector(plain.begin() + 1, plain.end()));
}

// Each wrong birth option is refused with a message naming it.
TEST(SearchCommand, BirthOptionsThatCannotServeAreNamed) {
    struct Case {
        std::vector<std::string> args;
        std::string named;
    };
    for (const Case& k : {Case{{"--birth", "2024-02-10"}, "--birth"},
                          Case{{"--birth", "2024-02-30 08:30"}, "不存在"},
                          Case{{"--birth", "2024-02-10 8:30"}, "HH:MM"},
                          Case{{"--birth", "1800-01-01 08:30"}, "超出范围"},
                          Case{{"--birth", "2024-02-10 08:30", "--supply", "金"}, "只能给一个"},
                          Case{{"--tz", "Asia/Tokyo"}, "--tz 要和 --birth"},
                          Case{{"--supply", "铁"}, "金、木、水、火、土"},
                          Case{{"--supply", "金水金"}, "一次"},
                          Case{{"--birth", "2024-02-10 08:30", "--longitude", "200"}, "--longitude"},
                          Case{{"--birth", "2024-02-10 08:30", "--zi-day", "12"}, "--zi-day"},
                          Case{{"--birth", "2024-02-10 08:30", "--tz", "Nowhere/City"},
                               "Nowhere/City"}}) {
        std::vector<std::string> args = {"search", "--surname", "王"};
        args.insert(args.end(), k.args.begin(), k.args.end());
        const Result r = runCli(args);
        EXPECT_EQ(r.status, cli::kExitUsage) << k.named;
        EXPECT_NE(r.err.find(k.named), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
}

TEST(SearchCommand, ControlCharactersInTheTextAreWrittenAsEscapes) {
    const Result r = runCli(
        {"search", "--company", "--surname", "a\x1b[2Jb", "--given-length", "1", "--top", "1"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.find('\x1b'), std::string::npos);
    EXPECT_NE(r.out.find("a\\u001B[2Jb"), std::string::npos) << r.out;
}

TEST(SearchCommand, AFailedWriteIsAnError) {
    std::istringstream in;
    std::ostringstream out, err;
    out.setstate(std::ios::badbit);
    EXPECT_EQ(
        cli::run({"search", "--surname", "王", "--top", "1"}, in, out, err, {test::shippedData()}),
        cli::kExitFailure);
    EXPECT_NE(err.str().find("无法写出到标准输出"), std::string::npos) << err.str();
}

TEST(SearchCommand, BadOptionsExitTwoWithOneLine) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"search"},
          {"search", "--surname", "王", "--given-length", "3"},
          {"search", "--surname", "王", "--keep", "子丑"},
          {"search", "--surname", "王", "--keep", "子", "--at", "3"},
          {"search", "--surname", "王", "--at", "1"},
          {"search", "--surname", "王", "--attribute", "铁"},
          {"search", "--surname", "王", "--min-score", "high"},
          {"search", "--surname", "王", "--suffix", "科技"},
          {"search", "--surname", "王", "--top", "0"},
          {"search", "--surname", "王", "--frobnicate"},
          {"search", "--surname", "王", "--gender", "boy"},
          {"search", "--company", "--gender", "女"},
          {"search", "--surname", "王", "--sancai", "大吉"},
          {"search", "--company", "--sancai", "吉"},
          {"search", "--surname", "王", "王五"}}) {
        const Result r = runCli(args);
        EXPECT_EQ(r.status, cli::kExitUsage) << args.back();
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
    EXPECT_EQ(runCli({"search", "--help"}).status, 0);
    EXPECT_EQ(runCli({"--data", "/nonexistent/muwu", "search", "--surname", "王"}).status,
              cli::kExitData);
}

}  // namespace
}  // namespace muwu
