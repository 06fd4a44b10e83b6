#pragma once
// Runs the command line in-process on the shipped data and keeps what it wrote.
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "tests/support/data_dir.h"

namespace muwu::test {

struct Result {
    int status;
    std::string out, err;
};

inline Result runCli(const std::vector<std::string>& args, const std::string& input,
                     const cli::Environment& env) {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = cli::run(args, in, out, err, env);
    return {status, out.str(), err.str()};
}

inline Result runCli(const std::vector<std::string>& args, const std::string& input = "") {
    return runCli(args, input, {shippedData()});
}

inline std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> v;
    std::istringstream s(text);
    for (std::string line; std::getline(s, line);)
        v.push_back(line);
    return v;
}

}  // namespace muwu::test
