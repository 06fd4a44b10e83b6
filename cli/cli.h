#pragma once
// The command-line front end, callable in-process so tests need no subprocess.
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace muwu::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitData = 3;
inline constexpr int kExitFailure = 4;  // a report, the output or the input failed
inline constexpr int kExitNoName = 5;   // name: every run timed out

struct Environment {
    std::filesystem::path programDir;  // the data folder is looked for from here
    int inputFd = -1;                  // standard input as a descriptor, when it is one
    std::optional<std::string> reportDate = std::nullopt;  // date in reports; today when unset
    std::function<int()> outputError = nullptr;  // errno of a failed write to out, when known
    std::filesystem::path zoneinfo = "/usr/share/zoneinfo";  // the time-zone database (bazi)
};

// args excludes the program name.
int run(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
        std::ostream& err, const Environment& env);

}  // namespace muwu::cli
