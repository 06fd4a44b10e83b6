#pragma once
// The words of a command line split into the command, its flags, its valued options and its
// names. One parser serves every command, so they all read options alike.
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

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

}  // namespace muwu::cli
