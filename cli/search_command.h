#pragma once
// muwu-cli search: every given name for a surname, ranked.
#include <iosfwd>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace muwu::cli {

// True when the command word of args (after any --data DIR) is "search".
[[nodiscard]] bool isSearchCommand(const std::vector<std::string>& args);

// Runs the command; args excludes the program name. Exit codes as for the other commands; a
// failed output is left for the caller to report, as for them.
int runSearch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              const Environment& env);

}  // namespace muwu::cli
