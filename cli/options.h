#pragma once
// The words of a command line split into the command, its flags, its valued options and its
// names. One parser serves every command, so they all read options alike.
#include <filesystem>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "lexicon/name_tables.h"

namespace muwu::cli {

// A command line that cannot be read; the message names what is wrong.
struct UsageError {
    std::string message;
};

struct Parsed {
    std::string command;  // the first word that is not an option
    std::set<std::string> flags;
    std::map<std::string, std::string> values;
    std::vector<std::string> positionals;
};

struct OptionTable {
    const std::set<std::string>& flags;   // options without a value; "-h" reads as "--help"
    const std::set<std::string>& valued;  // "--x V" or "--x=V"
    std::string_view unknownMessage;      // put before an option neither set holds
    bool repeatsRefused = false;          // a valued option given twice is an error
};

// "--" ends the options; a word such as "-1" is a name, so a negative number reaches the command
// that can say what is wrong with it. Throws UsageError.
[[nodiscard]] Parsed parseArguments(const std::vector<std::string>& args, const OptionTable& table);

inline constexpr std::string_view kProgram = "muwu-cli";

// One line on the error stream. Messages echo paths and arguments, which may hold any bytes, so
// control characters and bytes that are not UTF-8 are written as escapes.
void writeError(std::ostream& err, std::string_view message);

// The whole text as a decimal integer, nothing else.
[[nodiscard]] std::optional<long long> parseInteger(std::string_view s);

[[nodiscard]] std::string valueOr(const Parsed& p, const std::string& name, std::string fallback);

// The option's value (fallback when it is absent) as an integer from low to high. Throws
// UsageError naming the option and the range.
[[nodiscard]] long long integerOption(const Parsed& p, const std::string& name, long long fallback,
                                      long long low, long long high);

// The value of --gender: 男 or 女 (不限 or nothing: any). Throws UsageError for anything else.
[[nodiscard]] Gender genderOption(const Parsed& p);

// The data folder of --data, or the one found from the program's folder.
[[nodiscard]] std::filesystem::path dataFolderOf(const Parsed& p,
                                                 const std::filesystem::path& programDir);

// Why the data cannot serve, or empty when the folder holds at least one readable stroke list.
[[nodiscard]] std::string dataFolderProblem(const std::filesystem::path& folder);

}  // namespace muwu::cli
