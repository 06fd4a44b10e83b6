// What the command line writes and reads at its edges: failed output, unreadable input, bytes
// that are not UTF-8 and control characters, and the clearer answers to doubtful options.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string_view>

#include "cli/cli.h"
#include "cli/fd_output.h"
#include "names/char_data.h"
#include "platform/data_folder.h"
#include "platform/error_text.h"
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

// Whatever the command and however it went, output that did not reach the disk is exit status 4
// with one line naming the cause; a name run whose every run timed out (5 otherwise) included.
TEST(CliOutput, AFullDiskIsAFailureWithOneLine) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"entry", "1"},
          {"name", "--prefix", "张", "--chars", "1", "--limit", "1", "--seed", "2"},
          {"search", "--surname", "王", "--top", "1"}}) {
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
            status = cli::run(args, in, out, err, env);
        }
        ::close(fd);
        EXPECT_EQ(status, cli::kExitFailure) << args[0];
        EXPECT_EQ(err.str(), "muwu-cli: 无法写出到标准输出：" + systemErrorText(ENOSPC) + "\n");
    }
}

struct Spawned {
    int status = -1;  // exit status; -1 when a signal ended the program
    int signal = 0;
    std::string err;
    long peakKb = 0;  // the program's peak resident memory
};

// The installed program with its standard output on out and its error output kept.
Spawned spawnCli(const std::vector<std::string>& args, int out) {
    Spawned result;
    std::vector<std::string> words = {(programFolder() / "muwu-cli").string()};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    // A sanitized build sets freed memory aside for a while before reuse; that would count as
    // held, so it is turned off (the setting means nothing to other builds).
    constexpr std::string_view kSanitizer = "ASAN_OPTIONS=";
    std::vector<std::string> variables;
    std::string sanitizer(kSanitizer);
    for (char** v = environ; *v; ++v) {
        if (std::string_view(*v).starts_with(kSanitizer))
            sanitizer += std::string(*v + kSanitizer.size()) + ":";
        else
            variables.emplace_back(*v);
    }
    variables.push_back(sanitizer + "quarantine_size_mb=0:thread_local_quarantine_size_kb=0");
    std::vector<char*> envp;
    for (std::string& variable : variables)
        envp.push_back(variable.data());
    envp.push_back(nullptr);
    int err[2];
    if (::pipe2(err, O_CLOEXEC) != 0) {
        ADD_FAILURE() << "no pipe";
        return result;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(err[1]);
    if (spawned != 0) {
        ::close(err[0]);
        ADD_FAILURE() << "cannot start " << words[0];
        return result;
    }
    char buffer[4096];
    for (ssize_t n; (n = ::read(err[0], buffer, sizeof buffer)) > 0;)
        result.err.append(buffer, static_cast<std::size_t>(n));
    ::close(err[0]);
    int status = 0;
    rusage usage{};
    if (::wait4(pid, &status, 0, &usage) != pid) {
        ADD_FAILURE() << "lost " << words[0];
        return result;
    }
    if (WIFEXITED(status))
        result.status = WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        result.signal = WTERMSIG(status);
    result.peakKb = usage.ru_maxrss;
    return result;
}

// The installed program against a reader that went away: no silent death by SIGPIPE, and the
// cause named.
TEST(CliOutput, AClosedPipeIsAFailureWithOneLine) {
    ASSERT_TRUE(fs::exists(programFolder() / "muwu-cli"));
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"entry", "1"},
          {"search", "--surname", "王", "--top", "2000", "--json"}}) {
        int out[2];
        ASSERT_EQ(::pipe2(out, O_CLOEXEC), 0);
        ::close(out[0]);
        const Spawned r = spawnCli(args, out[1]);
        ::close(out[1]);
        EXPECT_EQ(r.signal, 0) << args[0] << " ended by signal " << r.signal;
        EXPECT_EQ(r.status, cli::kExitFailure) << args[0];
        EXPECT_EQ(r.err, "muwu-cli: 无法写出到标准输出：" + systemErrorText(EPIPE) + "\n");
    }
}

// search writes each name as it comes: however many names it lists and however long they are,
// it holds about what one name takes. (Peak memory, not time: the same on any machine.)
TEST(CliOutput, SearchMemoryDoesNotGrowWithItsOutput) {
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    ASSERT_GE(null, 0);
    std::string suffix;
    for (int i = 0; i < 500; ++i)
        suffix += "科技";
    auto peakKb = [&](std::vector<std::string> args, const std::string& top) {
        args.insert(args.end(), {"--all-chars", "--top", top, "--json"});
        const Spawned r = spawnCli(args, null);
        EXPECT_EQ(r.status, 0) << r.err;
        return r.peakKb;
    };
    const std::vector<std::string> company = {"search", "--company", "--suffix", suffix};
    long one = peakKb(company, "1");
    long many = peakKb(company, "2000");  // about 20 MB of output
    EXPECT_LT(many - one, 8 * 1024) << one << " KB for one name, " << many << " KB for 2000";
    // A person's names with the listed names first, wanted elements and a 三才 floor.
    const std::vector<std::string> person = {"search", "--surname", "欧阳", "--supply", "金水",
                                             "--sancai", "平"};
    one = peakKb(person, "1");
    many = peakKb(person, "30000");  // about 20 MB of output
    ::close(null);
    EXPECT_LT(many - one, 8 * 1024) << one << " KB for one name, " << many << " KB for 30000";
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
