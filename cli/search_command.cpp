#include "cli/search_command.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <string_view>

#include "cli/analysis_json.h"
#include "cli/analysis_output.h"
#include "cli/birth_options.h"
#include "cli/json.h"
#include "cli/options.h"
#include "names/char_data.h"
#include "naming/name_search.h"
#include "platform/data_folder.h"
#include "platform/text.h"

namespace muwu::cli {

namespace {

constexpr std::string_view kSearchUsage =
    "用法：muwu-cli [--data 目录] search [--surname 姓] [--given-length 1|2] [--keep 字 --at 1|2]\n"
    "                 [--exclude 字…] [--attribute 金木…] [--min-score X] [--gender 男|女]\n"
    "                 [--sancai 吉|平|凶] [--all-tiers] [--all-chars] [--company --suffix 后缀]\n"
    "                 [--supply 金水… | --birth \"日期 时间\" [--tz 时区] [--longitude 经度]\n"
    "                 [--zi-day 23|0]] [--top N] [--json]\n"
    "\n"
    "列出姓后面所有的名字（默认两个字），按评分从高到低排列；评分相同时，人格、地格、总格、\n"
    "外格（两字全名除外）都不为凶的在前；再按三才，吉、平、凶依次在前；要补五行时，名字（两个字）\n"
    "带来的所补五行多的在前；再按名字的品质（用字的等级、平仄、双声叠韵、男女\n"
    "用字是否相配）；再让已用过两次的字让位给别的字；最后按随姓氏固定的顺序。\n"
    "默认只用取名用字表的一等字，且读音不犯忌：不全是同一声调，不谐音不雅的词，不无意重复\n"
    "同一音节（叠字名如“婷婷”除外）。公司名用字号用字表。\n"
    "\n"
    "  --surname 姓         姓（公司名时为前缀，可以不给）；名称按这个姓长度分析，不自动识别复姓\n"
    "  --given-length N     名字的字数，1 或 2（默认 2）\n"
    "  --keep 字 --at P     第 P 个字固定为这个字（辈分字；--at 默认 1）\n"
    "  --exclude 字…        不用这些字\n"
    "  --attribute 金木…    名字各字的五行属性，依次给出\n"
    "  --min-score X        只要评分不低于 X 的名字\n"
    "  --gender 男|女       男孩或女孩的名字：不用偏向另一性别的字（默认不限）\n"
    "  --sancai 吉|平|凶    只要三才为这一等或更好的名字（吉好于平，平好于凶；公司名没有三才，不能用）\n"
    "  --supply 金水…       要补的五行（金木水火土，各写一次）：名字各字的五行带来其中越多的\n"
    "                       排得越前（评分、三才之后）；只排序，不筛掉别的名字\n"
    "  --birth \"日期 时间\"  出生时间（同 bazi 的日期、时间，及 --tz、--longitude、--zi-day），\n"
    "                       八字所缺的五行即要补的五行；五行俱全则不补；不能和 --supply 同用\n"
    "  --all-tiers          也用取名用字表的二等字\n"
    "  --all-chars          用笔画字表中的每一个字（表外的字排在后面）\n"
    "  --company            公司名（粗算），只看总格\n"
    "  --suffix 后缀        公司名的后缀，例如行业名称\n"
    "  --top N              列出前 N 个（默认 50）\n"
    "  --json               第一行为 {\"total\":总数}（要补五行时另有 \"supply\":\"金水\"），之后\n"
    "                       每个名字一行，字段同 analyze --json，另加 rank\n"
    "每个名字后给出拼音、三才和名字中各字的寓意。\n";

const std::set<std::string> kFlags = {"--all-chars", "--all-tiers", "--company",
                                      "--json",      "--help",      "-h"};
const std::set<std::string> kValued = {"--data",   "--surname", "--given-length", "--keep",
                                       "--at",     "--exclude", "--attribute",    "--min-score",
                                       "--suffix", "--top",     "--gender",       "--sancai",
                                       "--supply", "--birth",   "--tz",           "--longitude",
                                       "--zi-day"};

Parsed parse(const std::vector<std::string>& args) {
    return parseArguments(args, {kFlags, kValued, "命令 search 不接受选项 ", true});
}

SearchOptions optionsOf(const Parsed& p) {
    if (!p.positionals.empty())
        throw UsageError{"search 不接受名称参数，姓用 --surname 给出（多余的是“" +
                         p.positionals.front() + "”）"};
    SearchOptions o;
    auto text = [&](const std::string& name) {
        const auto it = p.values.find(name);
        return it == p.values.end() ? std::u16string() : fromUtf8(it->second);
    };
    o.surname = text("--surname");
    o.company = p.flags.contains("--company");
    o.suffix = text("--suffix");
    if (!o.company && p.values.contains("--suffix"))
        throw UsageError{"--suffix 只用于公司名（--company）"};
    o.givenLength = static_cast<int>(integerOption(p, "--given-length", 2, 1, 2));
    if (p.values.contains("--keep")) {
        const std::u16string keep = text("--keep");
        if (keep.size() != 1 || isSurrogate(keep[0]))
            throw UsageError{"--keep 需要正好一个字，而不是“" + p.values.at("--keep") + "”"};
        o.keep = keep[0];
        o.keepAt = static_cast<int>(integerOption(p, "--at", 1, 1, o.givenLength));
    } else if (p.values.contains("--at")) {
        throw UsageError{"--at 要和 --keep 一起用"};
    }
    o.exclude = text("--exclude");
    o.attributes = text("--attribute");
    if (const auto it = p.values.find("--min-score"); it != p.values.end()) {
        double v = 0;
        const std::string& s = it->second;
        const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
        if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(v))
            throw UsageError{"--min-score 需要一个数，而不是“" + s + "”"};
        o.minScore = v;
    }
    o.top = static_cast<std::size_t>(integerOption(p, "--top", 50, 1, 1000000));
    o.gender = genderOption(p);
    o.allTiers = p.flags.contains("--all-tiers");
    if (const auto it = p.values.find("--sancai"); it != p.values.end()) {
        if (o.company)
            throw UsageError{"--sancai 不用于公司名：公司名只看总格，没有三才"};
        o.sancaiAtLeast = sancaiClassNamed(fromUtf8(it->second));
        if (!o.sancaiAtLeast)
            throw UsageError{"--sancai 只能是 吉、平 或 凶，而不是“" + it->second + "”"};
    }
    if (const std::string problem = searchOptionsProblem(o); !problem.empty())
        throw UsageError{problem};
    return o;
}



std::string grid(std::string_view label, const std::optional<long long>& n, LuckClass c) {
    return std::string(label) + gridText(n, c);
}

void appendText(std::string& out, const SearchHit& hit) {
    const Analysis& a = hit.analysis;
    out += std::to_string(hit.rank) + ". " + printable(a.name) + "（" + printable(hit.pinyin) +
           "）　评分 " + scoreText(a) + "　" + grid("总格 ", a.total, a.totalClass);
    if (!a.company) {
        out += " " + grid("天格 ", a.heaven, a.heavenClass) + " " +
               grid("人格 ", a.person, a.personClass) + " " + grid("地格 ", a.earth, a.earthClass) +
               " " + grid("外格 ", a.outer, a.outerClass) + "　三才 " + sancaiText(a.sancai);
    }
    out += "　属性 " + (a.attribute.empty() ? std::string("—") : printable(a.attribute));
    if (const std::string meanings = meaningsText(hit.meanings); !meanings.empty())
        out += "　寓意 " + meanings;
    out += "\n";
}

// The characters the search chose, whose meanings a listed name shows.
std::u16string generatedPart(const SearchHit& hit) {
    std::u16string part;
    for (const CharacterMeaning& m : hit.meanings)
        part += m.c;
    return part;
}

}  // namespace

bool isSearchCommand(const std::vector<std::string>& args) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--data") {
            ++i;
        } else if (args[i].starts_with("--data=")) {
            continue;
        } else {
            return args[i] == "search";
        }
    }
    return false;
}

int runSearch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              const Environment& env) {
    try {
        const Parsed p = parse(args);
        if (p.flags.contains("--help")) {
            out << kSearchUsage;
            return kExitOk;
        }
        SearchOptions options = optionsOf(p);
        int status = kExitOk;
        const std::optional<Supply> supply = supplyOption(p, env, err, status);
        if (!supply)
            return status;
        options.supply = supply->elements;
        const bool supplied = supply->asked;
        const std::filesystem::path folder = dataFolderOf(p, env.programDir);
        if (const std::string problem = dataFolderProblem(folder); !problem.empty()) {
            writeError(err, problem);
            return kExitData;
        }

        CharacterData data(folder);
        const std::vector<PoolCharacter> pool = searchPool(
            data, p.flags.contains("--all-chars") ? PoolKind::allListed : PoolKind::tables);
        NameSearch search(data, pool, options);
        auto reportProblems = [&] {
            for (const DataProblem& problem : data.takeProblems())
                writeError(err, problem.message);
        };
        reportProblems();

        // Each name is written as soon as it is analysed: memory holds one name's line, however
        // many names are listed and however long they are.
        const bool asJson = p.flags.contains("--json");
        std::string line;
        if (asJson) {
            line += "{\"total\":" + std::to_string(search.total());
            if (supplied) {
                line += ",\"supply\":";
                json::appendString(line, options.supply);
            }
            line += "}\n";
        } else {
            line += "共 " + std::to_string(search.total()) + " 个名字";
            if (search.listed() < search.total())
                line += "，列出前 " + std::to_string(search.listed()) + " 个";
            line += "\n";
            if (supplied)
                line += supplyLine(*supply);
        }
        out << line;
        search.forEachHit([&](const SearchHit& hit) {
            line.clear();
            if (asJson) {
                appendAnalysisFields(line, hit.analysis, generatedPart(hit));
                line += ",\"rank\":" + std::to_string(hit.rank) + "}\n";
            } else {
                appendText(line, hit);
            }
            out << line;
            return static_cast<bool>(out);  // a failed output ends the search; the caller says why
        });
        reportProblems();
        return kExitOk;
    } catch (const UsageError& e) {
        writeError(err, e.message + "（用 muwu-cli search --help 查看用法）");
        return kExitUsage;
    } catch (const std::exception& e) {
        writeError(err, e.what());
        return kExitFailure;
    }
}

}  // namespace muwu::cli
