#include <iostream>

#include "cli/cli.h"
#include "platform/data_folder.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    std::vector<std::string> args(argv + 1, argv + argc);
    return muwu::cli::run(args, std::cin, std::cout, std::cerr, {muwu::programFolder(), 0});
}
