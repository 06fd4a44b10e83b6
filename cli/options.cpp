#include "cli/options.h"

#include <optional>

namespace muwu::cli {

Parsed parseArguments(const std::vector<std::string>& args, const OptionTable& table) {
    Parsed p;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!optionsEnded && a == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && a.size() > 1 && a[0] == '-' && (a[1] < '0' || a[1] > '9')) {
            std::string name = a;
            std::optional<std::string> value;
            if (const auto eq = a.find('='); eq != std::string::npos && a.starts_with("--")) {
                name = a.substr(0, eq);
                value = a.substr(eq + 1);
            }
            if (table.flags.contains(name) && !value) {
                p.flags.insert(name == "-h" ? "--help" : name);
            } else if (table.valued.contains(name)) {
                if (!value) {
                    if (i + 1 >= args.size())
                        throw UsageError{"选项 " + name + " 需要一个值"};
                    value = args[++i];
                }
                if (table.repeatsRefused && p.values.contains(name))
                    throw UsageError{"选项 " + name + " 只能给一次"};
                p.values[name] = *value;
            } else {
                throw UsageError{std::string(table.unknownMessage) + a};
            }
        } else if (p.command.empty()) {
            p.command = a;
        } else {
            p.positionals.push_back(a);
        }
    }
    return p;
}

}  // namespace muwu::cli
