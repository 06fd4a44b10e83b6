// muwu-cli report: the name report written from the command line.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>

#include "cli/cli.h"
#include "tests/cli/run_cli.h"
#include "tests/support/data_dir.h"

namespace muwu {
namespace {

namespace fs = std::filesystem;

std::string readBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class ReportCommand : public ::testing::Test {
  protected:
    void SetUp() override { data.writeSample(); }

    int run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--data", data.path().string()});
        cli::Environment env;
        env.reportDate = "2024/1/2";
        const test::Result r = test::runCli(args, "", env);
        out = r.out;
        err = r.err;
        return r.status;
    }

    test::DataDir data;
    test::DataDir folder;
    std::string out, err;
};

TEST_F(ReportCommand, WritesTheReportTheWindowWritesAndPrintsItsPath) {
    ASSERT_EQ(run({"report", "--dir", folder.path().string(), "欧阳明"}), cli::kExitOk) << err;
    const fs::path file = folder.path() / "《欧阳明》姓名报告.txt";
    EXPECT_EQ(out, file.string() + "\n");
    EXPECT_EQ(err, "");
    EXPECT_EQ(readBytes(file),
              readBytes(fs::path(MUWU_SOURCE_DIR) / "tests/names/golden/person_report.txt"));

    ASSERT_EQ(run({"report", "--company", "--dir", folder.path().string(), "林华"}), cli::kExitOk);
    EXPECT_EQ(readBytes(folder.path() / "《林华》姓名报告.txt"),
              readBytes(fs::path(MUWU_SOURCE_DIR) / "tests/names/golden/company_report.txt"));
}

TEST_F(ReportCommand, HonoursTheAnalysisOptions) {
    ASSERT_EQ(run({"report", "--no-auto", "--dir", folder.path().string(), "欧阳明"}), 0);
    const std::string single = readBytes(folder.path() / "《欧阳明》姓名报告.txt");
    ASSERT_EQ(run({"report", "--no-auto", "--surname-length", "2", "--dir", folder.path().string(),
                   "欧阳明"}),
              0);
    const std::string twice = readBytes(folder.path() / "《欧阳明》姓名报告.txt");
    EXPECT_NE(single, twice);  // 天格 of 欧 alone, then of 欧阳
    ASSERT_EQ(run({"report", "--dir", folder.path().string(), "欧阳明"}), 0);
    EXPECT_EQ(readBytes(folder.path() / "《欧阳明》姓名报告.txt"), twice);
}

TEST_F(ReportCommand, WritesToTheDesktopByDefault) {
    // The process's own HOME and XDG_CONFIG_HOME come back after the test.
    struct Variable {
        Variable(const char* n, const char* value) : name(n) {
            if (const char* old = std::getenv(name))
                saved = old;
            value ? ::setenv(name, value, 1) : ::unsetenv(name);
        }
        ~Variable() { saved ? ::setenv(name, saved->c_str(), 1) : ::unsetenv(name); }
        const char* name;
        std::optional<std::string> saved;
    };
    const Variable home("HOME", folder.path().c_str()), config("XDG_CONFIG_HOME", nullptr);
    EXPECT_EQ(run({"report", "王文"}), cli::kExitFailure);  // no Desktop folder yet
    EXPECT_NE(err.find((folder.path() / "Desktop").string()), std::string::npos) << err;
    EXPECT_EQ(out, "");

    fs::create_directory(folder.path() / "Desktop");
    ASSERT_EQ(run({"report", "王文"}), cli::kExitOk) << err;
    EXPECT_TRUE(fs::exists(folder.path() / "Desktop" / "《王文》姓名报告.txt"));
}

TEST_F(ReportCommand, FailuresAreToldAndExitFour) {
    EXPECT_EQ(run({"report", "--dir", folder.path().string(), "李/田"}), cli::kExitFailure);
    EXPECT_NE(err.find("“/”"), std::string::npos);
    EXPECT_EQ(run({"report", "--dir", (folder.path() / "missing").string(), "李田"}),
              cli::kExitFailure);
    EXPECT_TRUE(err.starts_with("muwu-cli: "));
    EXPECT_EQ(out, "");
    EXPECT_TRUE(fs::is_empty(folder.path()));
}

TEST_F(ReportCommand, TakesExactlyOneNameAndItsOwnOptions) {
    EXPECT_EQ(run({"report"}), cli::kExitUsage);
    EXPECT_EQ(run({"report", "王", "李"}), cli::kExitUsage);
    EXPECT_EQ(run({"report", "--json", "王"}), cli::kExitUsage);
    EXPECT_EQ(run({"report", "--batch", "王"}), cli::kExitUsage);
    EXPECT_EQ(run({"report", "--surname-length", "0", "王"}), cli::kExitUsage);
    EXPECT_EQ(run({"analyze", "--dir", "/tmp", "王"}), cli::kExitUsage);
}

}  // namespace
}  // namespace muwu
