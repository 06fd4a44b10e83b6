#pragma once
// muwu-cli bazi: the four pillars, the lunar date and the elements of a birth moment.
#include <iosfwd>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace muwu::cli {

// True when the command word of args (after any --data DIR) is "bazi".
[[nodiscard]] bool isBaziCommand(const std::vector<std::string>& args);

// Runs the command; args excludes the program name. A failed output is left for the caller to
// report, as for the other commands.
int runBazi(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            const Environment& env);

}  // namespace muwu::cli
