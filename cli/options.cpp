#include "cli/options.h"

#include <unistd.h>

#include <charconv>
#include <optional>

#include "names/char_data.h"
#include "platform/data_folder.h"
#include "platform/text.h"

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

void writeError(std::ostream& err, std::string_view message) {
    err << kProgram << ": " << printable(message) << '\n';
}

std::optional<long long> parseInteger(std::string_view s) {
    long long v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size())
        return std::nullopt;
    return v;
}

std::string valueOr(const Parsed& p, const std::string& name, std::string fallback) {
    const auto it = p.values.find(name);
    return it != p.values.end() ? it->second : fallback;
}

long long integerOption(const Parsed& p, const std::string& name, long long fallback, long long low,
                        long long high) {
    const std::string text = valueOr(p, name, std::to_string(fallback));
    const std::optional<long long> v = parseInteger(text);
    if (!v || *v < low || *v > high) {
        throw UsageError{name + " 需要 " + std::to_string(low) + " 到 " + std::to_string(high) +
                         " 之间的整数，而不是“" + text + "”"};
    }
    return *v;
}

Gender genderOption(const Parsed& p) {
    const auto it = p.values.find("--gender");
    if (it == p.values.end())
        return Gender::any;
    const std::optional<Gender> g = parseGender(fromUtf8(it->second));
    if (!g)
        throw UsageError{"--gender 只能是 男 或 女（不限时不给），而不是“" + it->second + "”"};
    return *g;
}

std::filesystem::path dataFolderOf(const Parsed& p, const std::filesystem::path& programDir) {
    if (const auto it = p.values.find("--data"); it != p.values.end())
        return std::filesystem::path(it->second);
    return findDataFolder(programDir);
}

std::string dataFolderProblem(const std::filesystem::path& folder) {
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec))
        return "无法读取数据：目录“" + folder.string() + "”不存在或不是目录";
    for (int k = 1; k <= kMaxStrokes; ++k) {
        const auto list = folder / std::filesystem::path(toUtf8(strokeListName(k)));
        if (std::filesystem::is_regular_file(list, ec) && ::access(list.c_str(), R_OK) == 0)
            return {};
    }
    return "无法读取数据：目录“" + folder.string() +
           "”中没有可读的笔画字表（01画的字.txt … 30画的字.txt）";
}

}  // namespace muwu::cli
