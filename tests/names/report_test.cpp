#include "names/report.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/gbk.h"
#include "platform/text.h"
#include "tests/support/data_dir.h"

namespace muwu {
namespace {

namespace fs = std::filesystem;

ReportFields sampleFields(bool company) {
    ReportFields f;
    f.name = u"李田思";
    f.score = u"72.8";
    f.totalCaption = company ? kTotalCaptionCompany : kTotalCaptionPerson;
    f.totalText = u"21（明月中天）\r\n（大吉）";
    f.company = company;
    for (std::size_t i = 0; i < 4; ++i)
        f.gridCaptions[i] = kGridFrameCaptions[i];
    f.gridTexts = {u"甲", u"乙\r\n（凶）", u"", u"丁"};
    return f;
}

std::u16string rule(int n) {
    std::u16string r;
    for (int i = 0; i < n; ++i)
        r += kRule;
    return r;
}

std::string readBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> folderEntries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(ReportText, PersonalNameHasTheTotalAndFourGridBlocks) {
    const std::u16string expected =
        u"李田思  总评分=72.8\r\n"
        u"总运：（后半生）" +
        rule(43) +
        u"\r\n"
        u"21（明月中天）\r\n（大吉）\r\n"
        u"\r\n" +
        std::u16string(kGridFrameCaptions[0]) + rule(31) + u"\r\n甲\r\n\r\n" +
        std::u16string(kGridFrameCaptions[1]) + rule(37) + u"\r\n乙\r\n（凶）\r\n\r\n" +
        std::u16string(kGridFrameCaptions[2]) + rule(10) + u"\r\n\r\n\r\n" +
        std::u16string(kGridFrameCaptions[3]) + rule(19) + u"\r\n丁\r\n\r\n" +
        std::u16string(kClosingRule) + u"\r\n2024/1/2\r\n";
    EXPECT_EQ(reportText(sampleFields(false), u"2024/1/2"), expected);
}

TEST(ReportText, CompanyNameHasOnlyTheTotalBlock) {
    const std::u16string expected = u"李田思  总评分=72.8\r\n总运：" + rule(43) +
                                    u"\r\n21（明月中天）\r\n（大吉）\r\n\r\n" +
                                    std::u16string(kClosingRule) + u"\r\n2024/1/2\r\n";
    EXPECT_EQ(reportText(sampleFields(true), u"2024/1/2"), expected);
}

TEST(ReportText, HeadingsAndTheClosingRuleAre102BytesWideInGbk) {
    const std::string bytes = encodeGbk(reportText(sampleFields(false), u"2024/1/2")).bytes;
    std::vector<std::size_t> widths;
    const std::string ruleBytes = encodeGbk(kRule).bytes;
    ASSERT_EQ(ruleBytes, "\xA9\xA5");
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", start);
        ASSERT_NE(end, std::string::npos) << "every line ends in CR LF, the last one included";
        const std::string line = bytes.substr(start, end - start);
        EXPECT_EQ(line.find('\n'), std::string::npos);
        if (line.ends_with(ruleBytes))
            widths.push_back(line.size());
        start = end + 2;
    }
    EXPECT_EQ(widths, (std::vector<std::size_t>{102, 102, 102, 102, 102, 102}));
    EXPECT_EQ(encodeGbk(std::u16string(kTotalCaptionCompany) + rule(kTotalRuleLength)).bytes.size(),
              92u);
    EXPECT_EQ(kClosingRule.size(), 51u);
}

TEST(ReportText, FieldsComeFromTheWindowsControls) {
    test::DataDir dir;
    dir.writeSample();
    CharacterData data(dir.path());
    MainForm form(data);
    form.load();
    form.setText3(u"李田思");
    ReportFields f = reportFieldsOf(form);
    EXPECT_EQ(f.name, u"李田思");
    EXPECT_EQ(f.score, form.评分);
    EXPECT_EQ(f.totalText, form.Text4);
    EXPECT_EQ(f.gridTexts[3], form.Text8);
    EXPECT_EQ(f.gridCaptions[2], kGridFrameCaptions[2]);
    EXPECT_FALSE(f.company);
    form.release公司名();
    f = reportFieldsOf(form);
    EXPECT_TRUE(f.company);
    EXPECT_EQ(f.totalCaption, u"总运：");
}

TEST(ReportFileName, EmbedsTheNameInBrackets) {
    EXPECT_EQ(reportFileName(u"张三丰"), u"《张三丰》姓名报告.txt");
    EXPECT_EQ(reportFileName(u""), u"《》姓名报告.txt");
}

class ReportWrite : public ::testing::Test {
  protected:
    test::DataDir folder;  // an empty temporary folder
    ReportResult write(std::u16string_view name, const fs::path& where) {
        ReportFields f = sampleFields(false);
        f.name = name;
        return writeReport(where, f, u"2024/1/2");
    }
};

TEST_F(ReportWrite, WritesTheGbkBytesIntoTheFolder) {
    const ReportResult r = write(u"李田思", folder.path());
    ASSERT_TRUE(r.ok()) << r.message;
    EXPECT_EQ(r.file, folder.path() / "《李田思》姓名报告.txt");
    EXPECT_EQ(readBytes(r.file), encodeGbk(reportText(sampleFields(false), u"2024/1/2")).bytes);
    EXPECT_EQ(folderEntries(folder.path()), std::vector<std::string>{"《李田思》姓名报告.txt"});
    EXPECT_EQ(r.unmappable, 0u);
}

TEST_F(ReportWrite, AnEmptyNameStillWritesAReport) {
    const ReportResult r = write(u"", folder.path());
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.file.filename(), "《》姓名报告.txt");
    EXPECT_TRUE(readBytes(r.file).starts_with("  \xD7\xDC\xC6\xC0\xB7\xD6="));  // "  总评分="
}

TEST_F(ReportWrite, NamesThatCannotBeFileNamesWriteNothing) {
    for (const std::u16string& bad : std::initializer_list<std::u16string>{
             u"张\\三", u"a/b", u"c:", u"*", u"何?", u"\"x\"", u"<y", u"z>", u"|", u"张\t三",
             u"x\ny", std::u16string(u"a\0b", 3), u"\x7F"}) {
        const ReportResult r = write(bad, folder.path());
        EXPECT_EQ(r.error, ReportError::forbiddenCharacter) << toUtf8(bad);
        EXPECT_FALSE(r.message.empty());
    }
    EXPECT_NE(write(u"a/b", folder.path()).message.find("“/”"), std::string::npos);
    EXPECT_NE(write(u"张\t三", folder.path()).message.find("U+0009"), std::string::npos);
    EXPECT_TRUE(folderEntries(folder.path()).empty());
    // Full-width look-alikes are ordinary characters.
    EXPECT_TRUE(write(u"沐梧／：？", folder.path()).ok());
}

TEST_F(ReportWrite, AMissingFolderIsReportedAndNothingIsCreated) {
    ReportResult r = write(u"李田思", fs::path());
    EXPECT_EQ(r.error, ReportError::noFolder);
    EXPECT_NE(r.message.find("桌面"), std::string::npos);

    r = write(u"李田思", folder.path() / "没有这个文件夹");
    EXPECT_EQ(r.error, ReportError::folderMissing);
    EXPECT_NE(r.message.find("没有这个文件夹"), std::string::npos);
    EXPECT_FALSE(fs::exists(folder.path() / "没有这个文件夹"));

    std::ofstream(folder.path() / "file") << "x";
    r = write(u"李田思", folder.path() / "file");
    EXPECT_EQ(r.error, ReportError::folderMissing);
    EXPECT_NE(r.message.find("file”不是文件夹"), std::string::npos) << r.message;
}

TEST_F(ReportWrite, ReplacesAnOldReportWholeAndLeavesNoTemporaryFile) {
    const fs::path file = folder.path() / "《李田思》姓名报告.txt";
    std::ofstream(file, std::ios::binary) << "old report, longer than nothing";
    // A second name for the old content: replacing by rename leaves it alone, rewriting in place
    // would change it.
    fs::create_hard_link(file, folder.path() / "keep");
    ASSERT_TRUE(write(u"李田思", folder.path()).ok());
    EXPECT_EQ(readBytes(file), encodeGbk(reportText(sampleFields(false), u"2024/1/2")).bytes);
    EXPECT_EQ(readBytes(folder.path() / "keep"), "old report, longer than nothing");
    EXPECT_EQ(folderEntries(folder.path()),
              (std::vector<std::string>{"keep", "《李田思》姓名报告.txt"}));

    ASSERT_TRUE(write(u"王文", folder.path()).ok());  // another name: a second file beside it
    EXPECT_EQ(folderEntries(folder.path()).size(), 3u);
}

// A writer killed between creating its temporary file and renaming it leaves the file behind;
// the next report into the folder removes it once that writer is gone, and only then.
TEST_F(ReportWrite, TemporaryFilesOfWritersThatAreGoneAreRemoved) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        ::_exit(0);
    ASSERT_EQ(::waitpid(child, nullptr, 0), child);
    const std::string gone = ".muwu-report-" + std::to_string(child) + "-0.tmp";
    const std::string alive = ".muwu-report-" + std::to_string(::getppid()) + "-3.tmp";
    for (const std::string& name : {gone, alive, std::string(".muwu-report-x.tmp")})
        std::ofstream(folder.path() / name) << "part of a report";
    ASSERT_TRUE(write(u"李田思", folder.path()).ok());
    std::vector<std::string> kept = {".muwu-report-x.tmp", alive, "《李田思》姓名报告.txt"};
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(folderEntries(folder.path()), kept);
}

TEST_F(ReportWrite, AFailedWriteLeavesWhatWasThere) {
    // Something that cannot be replaced by a file stands where the report would go.
    const fs::path blocker = folder.path() / "《李田思》姓名报告.txt";
    fs::create_directory(blocker);
    std::ofstream(blocker / "inside") << "kept";
    const ReportResult r = write(u"李田思", folder.path());
    EXPECT_EQ(r.error, ReportError::writeFailed);
    EXPECT_NE(r.message.find("《李田思》姓名报告.txt"), std::string::npos);
    EXPECT_EQ(readBytes(blocker / "inside"), "kept");
    EXPECT_EQ(folderEntries(folder.path()), std::vector<std::string>{"《李田思》姓名报告.txt"});

    if (::geteuid() != 0) {  // root writes anywhere
        const fs::path locked = folder.path() / "locked";
        fs::create_directory(locked);
        ::chmod(locked.c_str(), 0555);
        EXPECT_EQ(write(u"李田思", locked).error, ReportError::writeFailed);
        ::chmod(locked.c_str(), 0755);
        EXPECT_TRUE(folderEntries(locked).empty());
    }
}

TEST_F(ReportWrite, CharactersGbkLacksAreCountedAndWrittenAsQuestionMarks) {
    const ReportResult r = write(u"\U00020000张", folder.path());
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.unmappable, 1u);
    EXPECT_TRUE(readBytes(r.file).starts_with("?\xD5\xC5  "));
    EXPECT_EQ(r.file.filename(), "《\xF0\xA0\x80\x80张》姓名报告.txt");  // the file name keeps it
}

}  // namespace
}  // namespace muwu
