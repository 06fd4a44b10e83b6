#include <csignal>
#include <cstdlib>
#include <iostream>

#include "cli/cli.h"
#include "cli/fd_output.h"
#include "platform/data_folder.h"

int main(int argc, char** argv) {
    // A closed pipe is a failed write to report, not a silent death.
    std::signal(SIGPIPE, SIG_IGN);
    std::ios::sync_with_stdio(false);
    muwu::cli::FdOutput output(STDOUT_FILENO);
    std::ostream out(&output);
    std::vector<std::string> args(argv + 1, argv + argc);
    muwu::cli::Environment env{muwu::programFolder(), STDIN_FILENO};
    env.outputError = [&output] { return output.error(); };
    if (const char* tzdir = std::getenv("TZDIR"); tzdir != nullptr && *tzdir != '\0')
        env.zoneinfo = tzdir;
    return muwu::cli::run(args, std::cin, out, std::cerr, env);
}
