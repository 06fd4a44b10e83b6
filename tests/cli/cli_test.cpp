#include "cli/cli.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <sstream>

#include "lexicon/name_tables.h"
#include "platform/text.h"
#include "tests/cli/run_cli.h"
#include "tests/support/data_dir.h"

namespace muwu {
namespace {

using test::Result;
using test::runCli;

TEST(Cli, AnalysesANameAsJson) {
    const Result r = runCli({"analyze", "--json", "张三丰"});
    ASSERT_EQ(r.status, 0) << r.err;
    // 張 11, 三 3, 豐 18.
    EXPECT_EQ(
        r.out,
        "{\"name\":\"张三丰\",\"surname\":\"张\",\"given\":\"三丰\",\"surname_length\":1,"
        "\"company\":false,\"total\":32,\"heaven\":12,\"person\":14,\"earth\":21,\"outer\":19,"
        "\"score\":\"72.9\",\"attribute\":\"金金水\",\"classes\":{\"total\":\"大吉\",\"heaven\":"
        "\"凶\","
        "\"person\":\"凶\",\"earth\":\"大吉\",\"outer\":\"凶\"},"
        "\"sancai\":{\"elements\":\"木火木\",\"class\":\"吉\"},\"pinyin\":\"zhāng sān fēng\","
        "\"meanings\":[{\"char\":\"三\",\"meaning\":\"" +
            toUtf8(meaningOf(u'三', false)) + "\"},{\"char\":\"丰\",\"meaning\":\"" +
            toUtf8(meaningOf(u'丰', false)) + "\"}]}\n");
    EXPECT_EQ(r.err, "");
}

TEST(Cli, RecognisesDoubleSurnamesAndHonoursTheOptions) {
    Result r = runCli({"analyze", "--json", "欧阳修", "司马相如"});
    ASSERT_EQ(r.status, 0);
    EXPECT_NE(r.out.find(
                  "\"name\":\"欧阳修\",\"surname\":\"欧阳\",\"given\":\"修\",\"surname_length\":2"),
              std::string::npos);
    EXPECT_NE(r.out.find("\"name\":\"司马相如\",\"surname\":\"司马\""), std::string::npos);

    r = runCli({"analyze", "--json", "--no-auto", "欧阳修"});
    EXPECT_NE(r.out.find("\"surname\":\"欧\""), std::string::npos);
    r = runCli({"analyze", "--json", "--no-auto", "--surname-length", "3", "司马相如"});
    // 司 5 马 10 相 9 如 6: 天格 马+相, 人格 相+如, 地格 如+1, 外格 30 - 15 + 1.
    EXPECT_NE(r.out.find("\"surname\":\"司马相\",\"given\":\"如\",\"surname_length\":3,"
                         "\"company\":false,\"total\":30,\"heaven\":19,\"person\":15,"
                         "\"earth\":7,\"outer\":16,"),
              std::string::npos)
        << r.out;
}

TEST(Cli, CompanyNamesHaveOnlyTheirTotal) {
    const Result r = runCli({"analyze", "--json", "--company", "沐梧科技"});
    ASSERT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("\"company\":true"), std::string::npos);
    EXPECT_NE(r.out.find("\"heaven\":null,\"person\":null,\"earth\":null,\"outer\":null"),
              std::string::npos);
    EXPECT_NE(r.out.find("\"classes\":{\"total\":"), std::string::npos);
    EXPECT_NE(r.out.find("\"heaven\":null,\"person\":null,\"earth\":null,\"outer\":null},"
                         "\"sancai\":null,"),
              std::string::npos);
    // A company's characters mean what they mean in a trade name.
    EXPECT_NE(r.out.find("\"pinyin\":\"mù wú kē jì\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("{\"char\":\"科\",\"meaning\":\"" + toUtf8(firmCharacter(u'科')->meaning) +
                         "\"}"),
              std::string::npos)
        << r.out;
}

TEST(Cli, NamesOfAnyContentGiveValidOutput) {
    const Result r = runCli(
        {"analyze", "--json", "", "abc 12", "\xF0\xA0\x80\x80张", "a\"b\\c\x01", "\xFF\xFE"});
    ASSERT_EQ(r.status, 0);
    std::istringstream lines(r.out);
    std::string line;
    int n = 0;
    while (std::getline(lines, line)) {
        ++n;
        EXPECT_TRUE(toUtf8(fromUtf8(line)) == line) << line;
    }
    EXPECT_EQ(n, 5);
    EXPECT_NE(
        r.out.find(
            "\"name\":\"\",\"surname\":\"\",\"given\":\"\",\"surname_length\":1,\"company\":false,"
            "\"total\":null"),
        std::string::npos);
    EXPECT_NE(
        r.out.find("\"name\":\"abc 12\",\"surname\":\"a\",\"given\":\"bc 12\",\"surname_length\":1,"
                   "\"company\":false,\"total\":null,\"heaven\":null"),
        std::string::npos);
    EXPECT_NE(r.out.find("\"name\":\"a\\\"b\\\\c\\u0001\""), std::string::npos);
    EXPECT_NE(r.out.find("\"surname\":\"\xF0\xA0\x80\x80\",\"given\":\"张\""), std::string::npos);
}

TEST(Cli, BatchKeepsTheOrderAndMatchesSingleRuns) {
    const Result batch = runCli({"analyze", "--batch", "--json"}, "欧阳修\r\n张三丰\n\n王\n");
    ASSERT_EQ(batch.status, 0);
    std::string expected;
    for (const char* name : {"欧阳修", "张三丰", "", "王"}) {
        expected += runCli({"analyze", "--json", name}).out;
    }
    EXPECT_EQ(batch.out, expected);
}

TEST(Cli, BatchFromADescriptorReadsLinesAcrossBlocks) {
    std::string input;
    for (int i = 0; i < 20000; ++i)
        input += (i % 2 ? "欧阳修\n" : "张三丰\r\n");
    input += "王";  // the last line without an end
    char path[] = "/tmp/muwu-batch-XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(write(fd, input.data(), input.size()), static_cast<ssize_t>(input.size()));
    lseek(fd, 0, SEEK_SET);
    std::istringstream unused;
    std::ostringstream out, err;
    const int status =
        cli::run({"analyze", "--batch", "--json"}, unused, out, err, {test::shippedData(), fd});
    close(fd);
    unlink(path);
    ASSERT_EQ(status, 0);
    const Result viaStream = runCli({"analyze", "--batch", "--json"}, input);
    EXPECT_EQ(out.str(), viaStream.out);
    EXPECT_EQ(std::count(viaStream.out.begin(), viaStream.out.end(), '\n'), 20001);
}

TEST(Cli, PlainTextOutputIsReadable) {
    const Result r = runCli({"analyze", "张三丰"});
    ASSERT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("张三丰（人名）"), std::string::npos);
    EXPECT_NE(r.out.find("总格：32（大吉）"), std::string::npos);
    EXPECT_NE(r.out.find("评分：72.9"), std::string::npos);
    EXPECT_NE(r.out.find("  外格：19（凶）\n  三才：木火木（吉）\n"), std::string::npos);
    EXPECT_EQ(runCli({"analyze", "--company", "沐梧科技"}).out.find("三才"), std::string::npos);
    EXPECT_NE(runCli({"analyze", "王"}).out.find("  三才：—\n"), std::string::npos);
}

TEST(Cli, LooksUpCharacters) {
    Result r = runCli({"lookup", "--json", "刘a"});
    ASSERT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("{\"char\":\"刘\",\"strokes\":15,"), std::string::npos);
    EXPECT_NE(r.out.find("\"traditional\":\"劉\"}"), std::string::npos);
    EXPECT_NE(
        r.out.find("{\"char\":\"a\",\"strokes\":0,\"attribute\":\"\",\"traditional\":\"a\"}]"),
        std::string::npos);
    r = runCli({"lookup", "王"});
    EXPECT_TRUE(r.out.starts_with("王\t4画\t属性："));
}

TEST(Cli, PrintsLuckEntries) {
    Result r = runCli({"entry", "1"});
    ASSERT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.starts_with("1（万物回春）"));
    EXPECT_TRUE(r.out.ends_with("\n（大吉）\n"));
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 6);
    EXPECT_EQ(runCli({"entry", "0"}).out, "");
    // The usage offers 0 to 80, and 80 is the last entry of the table.
    r = runCli({"entry", "80"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out.starts_with("80（遁吉） ")) << r.out;
    EXPECT_TRUE(r.out.ends_with("\n（凶）\n")) << r.out;
    EXPECT_EQ(runCli({"entry", "81"}).status, cli::kExitUsage);
    EXPECT_EQ(runCli({"entry", "x"}).status, cli::kExitUsage);
}

TEST(Cli, UsageErrorsExitTwoWithOneLine) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{},
                                                 {"frobnicate"},
                                                 {"analyze"},
                                                 {"analyze", "--bogus", "王"},
                                                 {"analyze", "--surname-length", "11", "王"},
                                                 {"analyze", "--surname-length"},
                                                 {"lookup", "--company", "王"},
                                                 {"analyze", "--batch", "王"}}) {
        const Result r = runCli(args);
        EXPECT_EQ(r.status, cli::kExitUsage);
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_TRUE(r.err.starts_with("muwu-cli: "));
    }
    EXPECT_EQ(runCli({"--help"}).status, 0);
    EXPECT_EQ(runCli({"--version"}).out, "muwu-cli 3.0.28\n");
}

TEST(Cli, UnreadableDataExitsThreeAndDamagedDataIsNamed) {
    Result r = runCli({"--data", "/nonexistent/muwu", "analyze", "王"});
    EXPECT_EQ(r.status, cli::kExitData);
    EXPECT_NE(r.err.find("/nonexistent/muwu"), std::string::npos);

    test::DataDir empty;
    r = runCli({"analyze", "--data", empty.path().string(), "王"});
    EXPECT_EQ(r.status, cli::kExitData);

    test::DataDir dir;
    dir.writeSample();
    dir.remove(u"常见复姓表.txt");
    dir.writeBytes(u"05画的字.txt", std::string("\xA3\xBA\xCC\xEF\xFF", 5));
    r = runCli({"analyze", "--data", dir.path().string(), "--json", "田丘王", "王"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.err.find("常见复姓表.txt"), std::string::npos);
    EXPECT_NE(r.err.find("05画的字.txt"), std::string::npos);
    EXPECT_NE(r.err.find("字节偏移 4"), std::string::npos);
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 2) << r.err;  // each problem once
    EXPECT_NE(r.out.find("\"total\":9"), std::string::npos);  // 田 still counts; 丘 was cut off
}

}  // namespace
}  // namespace muwu
