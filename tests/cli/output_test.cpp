// What the command line writes and reads at its edges: failed output, unreadable input, bytes
// that are not UTF-8 and control characters, and the clearer answers to doubtful options.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "cli/cli.h"
#include "cli/fd_output.h"
#include "names/char_data.h"
#include "platform/data_folder.h"
#include "platform/text.h"
#include "tests/cli/run_cli.h"
#include "tests/support/data_dir.h"

extern char** environ;

namespace muwu {
namespace {

namespace fs = std::filesystem;

using test::Result;

Result runCli(const std::vector<std::string>& args, int inputFd = -1) {
    cli::Environment env{test::shippedData(), inputFd};
    env.reportDate = "2024/1/2";
    return test::runCli(args, "", env);
}

bool validUtf8Text(const std::string& s) {
    return toUtf8(fromUtf8(s)) == s;
}

int lineCount(const std::string& s) {
    return static_cast<int>(std::count(s.begin(), s.end(), '\n'));
}

TEST(CliOutput, AFullDiskIsAFailureWithOneLine) {
    const int fd = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    std::istringstream in;
    std::ostringstream err;
    int status = 0;
    {
        cli::FdOutput output(fd);
        std::ostream out(&output);
        cli::Environment env{test::shippedData(), -1};
        env.outputError = [&output] { return output.error(); };
        status = cli::run({"entry", "1"}, in, out, err, env);
    }
    ::close(fd);
    EXPECT_EQ(status, cli::kExitFailure);
    EXPECT_EQ(lineCount(err.str()), 1) << err.str();
    EXPECT_TRUE(err.str().starts_with("muwu-cli: 无法写出到标准输出：")) << err.str();
}

// The installed program against a reader that went away: no silent death by SIGPIPE.
TEST(CliOutput, AClosedPipeIsAFailureWithOneLine) {
    const fs::path program = programFolder() / "muwu-cli";
    ASSERT_TRUE(fs::exists(program));
    int out[2], err[2];
    ASSERT_EQ(::pipe(out), 0);
    ASSERT_EQ(::pipe(err), 0);
    ::close(out[0]);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
    std::string path = program.string();
    std::string command = "entry", number = "1";
    char* argv[] = {path.data(), command.data(), number.data(), nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, path.c_str(), &actions, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    ::close(err[1]);
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = ::read(err[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(n));
    ::close(err[0]);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), cli::kExitFailure);
    EXPECT_EQ(lineCount(text), 1) << text;
    EXPECT_NE(text.find("无法写出到标准输出"), std::string::npos) << text;
}

TEST(CliOutput, AnInputThatCannotBeReadIsAnError) {
    test::DataDir dir;
    const int fd = ::open(dir.path().c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    const Result r = runCli({"analyze", "--batch"}, fd);
    ::close(fd);
    EXPECT_EQ(r.status, cli::kExitFailure);
    EXPECT_NE(r.err.find("无法读取标准输入"), std::string::npos) << r.err;

    // An input without line ends does not grow the memory without bound.
    const int zero = ::open("/dev/zero", O_RDONLY | O_CLOEXEC);
    ASSERT_GE(zero, 0);
    const Result endless = runCli({"analyze", "--batch"}, zero);
    ::close(zero);
    EXPECT_EQ(endless.status, cli::kExitFailure);
    EXPECT_NE(endless.err.find("超过 1 MiB"), std::string::npos) << endless.err;
}

TEST(CliOutput, EverythingWrittenIsValidUtf8) {
    const std::string bad = "\xff\xfe";
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"analyze", "--bogus" + bad, "王"},
          {"--data", "/nonexistent/" + bad, "analyze", "王"},
          {"analyze", "--surname-length", bad, "王"},
          {"frobnicate" + bad},
          {"analyze", "王" + bad},
          {"lookup", bad},
          {"report", "--dir", "/nonexistent/" + bad, "王"},
          {"name", "--limit", bad},
          {"--data", "/nonexistent/\x1b[31m" + bad, "search", "--surname", "王"},
          {"search", "--keep", "\x1b[2J" + bad},
          {"search", "--top", bad}}) {
        const Result r = runCli(args);
        EXPECT_TRUE(validUtf8Text(r.out)) << r.out;
        EXPECT_TRUE(validUtf8Text(r.err)) << r.err;
        EXPECT_EQ(r.err.find('\x1b'), std::string::npos) << r.err;
        EXPECT_NE(r.out + r.err, "");
    }
}

// search checks its data folder as every other command does: a folder where a stroke list
// should be is no list.
TEST(CliOutput, SearchRefusesAFolderWithoutReadableLists) {
    test::DataDir dir;
    fs::create_directory(dir.path() / fs::path(toUtf8(strokeListName(1))));
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--data", dir.path().string(), "analyze", "王"},
          {"--data", dir.path().string(), "search", "--surname", "王"}}) {
        const Result r = runCli(args);
        EXPECT_EQ(r.status, cli::kExitData) << args[2] << r.err;
        EXPECT_NE(r.err.find("没有可读的笔画字表"), std::string::npos) << r.err;
    }
}

TEST(CliOutput, ControlCharactersOfANameAreShownEscaped) {
    Result r = runCli({"analyze", "张\a三\x1b[2J"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("张\\u0007三\\u001B[2J（人名）"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find('\a'), std::string::npos);
    EXPECT_EQ(r.out.find('\x1b'), std::string::npos);
    r = runCli({"lookup", "\x7f"});
    EXPECT_TRUE(r.out.starts_with("\\u007F\t0画")) << r.out;
    r = runCli({"analyze", "--bogus\a"});
    EXPECT_EQ(r.err.find('\a'), std::string::npos);
    // JSON escapes them its own way.
    r = runCli({"analyze", "--json", "张\a三"});
    EXPECT_NE(r.out.find("\"name\":\"张\\u0007三\""), std::string::npos) << r.out;
}

TEST(CliOutput, DoubtfulNumbersAndFoldersGetClearAnswers) {
    Result r = runCli({"entry", "-1"});
    EXPECT_EQ(r.status, cli::kExitUsage);
    EXPECT_NE(r.err.find("entry 需要一个 0 到 80 之间的数，而不是“-1”"), std::string::npos)
        << r.err;

    test::DataDir dir;
    std::ofstream(dir.path() / "file.txt") << "x";
    r = runCli({"report", "--dir", (dir.path() / "file.txt").string(), "王"});
    EXPECT_EQ(r.status, cli::kExitFailure);
    EXPECT_NE(r.err.find("file.txt”不是文件夹"), std::string::npos) << r.err;
}

// Without a home there is no desktop: said, and nothing is written to /Desktop or here.
TEST(CliOutput, ReportsNeedAKnownDesktop) {
    const char* saved = std::getenv("HOME");
    const std::optional<std::string> home =
        saved ? std::optional<std::string>(saved) : std::nullopt;
    ::unsetenv("HOME");
    Result r = runCli({"report", "王"});
    EXPECT_EQ(r.status, cli::kExitFailure);
    EXPECT_NE(r.err.find("没有设置 HOME"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");

    test::DataDir fakeHome;
    ::setenv("HOME", fakeHome.path().c_str(), 1);
    const char* savedConfig = std::getenv("XDG_CONFIG_HOME");
    const std::optional<std::string> config =
        savedConfig ? std::optional<std::string>(savedConfig) : std::nullopt;
    ::unsetenv("XDG_CONFIG_HOME");
    fs::create_directories(fakeHome.path() / ".config");
    std::ofstream(fakeHome.path() / ".config" / "user-dirs.dirs") << "XDG_DESKTOP_DIR=desk\n";
    r = runCli({"report", "王"});
    EXPECT_EQ(r.status, cli::kExitFailure);
    EXPECT_NE(r.err.find("不是绝对路径"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists("desk"));

    if (home) {
        ::setenv("HOME", home->c_str(), 1);
    } else {
        ::unsetenv("HOME");
    }
    if (config)
        ::setenv("XDG_CONFIG_HOME", config->c_str(), 1);
}

}  // namespace
}  // namespace muwu
