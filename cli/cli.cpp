#include "cli/cli.h"

#include <unistd.h>

#include <charconv>
#include <ctime>
#include <fstream>
#include <iomanip>
#include <istream>
#include <limits>
#include <locale>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <set>
#include <sstream>
#include <system_error>

#include "cli/analysis_json.h"
#include "cli/analysis_output.h"
#include "cli/bazi_command.h"
#include "cli/birth_options.h"
#include "cli/json.h"
#include "cli/line_reader.h"
#include "cli/options.h"
#include "cli/search_command.h"
#include "names/analysis.h"
#include "names/char_data.h"
#include "names/luck_table.h"
#include "names/report.h"
#include "names/version.h"
#include "naming/draw_rules.h"
#include "naming/form_evaluator.h"
#include "platform/data_folder.h"
#include "platform/desktop_folder.h"
#include "platform/error_text.h"
#include "platform/text.h"

namespace muwu::cli {

namespace {

constexpr std::string_view kUsage =
    "用法：muwu-cli [--data 目录] 命令 [选项] …\n"
    "\n"
    "命令：\n"
    "  analyze [--company] [--surname-length L] [--no-auto] [--json] 名称…\n"
    "          分析每个名称，如同把它粘贴进刚打开的主窗口的“全称”框\n"
    "  analyze --batch [--company] [--json]\n"
    "          从标准输入逐行读取名称，按同样的顺序输出结果\n"
    "  search [--surname 姓] [--given-length 1|2] [--keep 字 --at 1|2] [--exclude 字…]\n"
    "         [--attribute 金木…] [--min-score X] [--all-chars] [--company --suffix 后缀]\n"
    "         [--top N] [--json]\n"
    "          列出姓后面所有的名字，按评分排列（详见 muwu-cli search --help）\n"
    "  bazi 日期 时间 [--tz 时区] [--longitude 经度] [--zi-day 23|0] [--json]\n"
    "          出生时刻的四柱八字、农历日期、生肖、五行与藏干（详见 muwu-cli bazi --help）\n"
    "  lookup [--json] 文字      每个字的笔画数、五行属性和繁体字形\n"
    "  entry N                   数理 N（0–80）的说明文字\n"
    "  report [--company] [--surname-length L] [--no-auto] [--dir 目录] 名称\n"
    "          把名称的分析写成姓名报告（《名称》姓名报告.txt），输出报告的路径\n"
    "  name [--prefix 姓] [--suffix 后缀] [--chars N] [--limit K] [--no-words] [--gender 男|女]\n"
    "       [--all-tiers] [--all-chars] [--supply 金水… | --birth \"日期 时间\" [--tz 时区]\n"
    "       [--longitude 经度] [--zi-day 23|0]] [--runs R] [--seed X] [--json]\n"
    "          自动取名 R 次（默认 1），如同在取名窗中按“求名”：N 个字（默认 2，1–22），\n"
    "          笔画数在 K（1–30）以内（默认 9）；N 为 2 时从词库“4.lib”的四字词中取两个字，\n"
    "          --no-words 则按笔画取字；--seed 让第 i 次以 X+i-1 为种子（默认：当时时刻）\n"
    "          只取取名用字表的一等字（公司名取字号用字表），--all-tiers 也取二等字，\n"
    "          --all-chars 取笔画表中的全部字；--gender 不取偏向另一性别的字；\n"
    "          读音犯忌的名字重取，词中拆出的两个字都须合用；--supply 或 --birth（八字所缺，\n"
    "          同 search）给出要补的五行时，按笔画取的字带来的所补五行不够多也重取\n"
    "\n"
    "选项：\n"
    "  --company            按公司名（粗算）分析\n"
    "  --gender 男|女       只取适合男孩或女孩的字\n"
    "  --surname-length L   名称粘贴后把姓长度设为 L（1–10）\n"
    "  --no-auto            不自动识别复姓\n"
    "  --json               每个结果输出一行 JSON\n"
    "  --data 目录          数据文件所在的目录（默认：程序所在目录）\n"
    "  --dir 目录           报表写入的目录（默认：桌面文件夹，即 user-dirs.dirs 中的\n"
    "                       XDG_DESKTOP_DIR，没有时为 ~/Desktop）\n"
    "  --help               显示本说明\n"
    "  --version            显示版本\n"
    "\n"
    "退出码：0 成功，2 用法错误，3 无法读取数据，4 报表、输出或输入失败，5 每次取名都超时。\n"
    "文本输出中名称里的控制字符写作 \\uXXXX。\n";

const std::set<std::string> kFlags = {"--company",   "--no-auto",  "--json",    "--batch",
                                      "--help",      "-h",         "--version", "--no-words",
                                      "--all-chars", "--all-tiers"};
const std::set<std::string> kValued = {"--data",   "--surname-length", "--dir",   "--prefix",
                                       "--suffix", "--chars",          "--limit", "--runs",
                                       "--seed",   "--gender",         "--supply", "--birth",
                                       "--tz",     "--longitude",      "--zi-day"};

Parsed parse(const std::vector<std::string>& args) {
    return parseArguments(args, {kFlags, kValued, "未知的选项 "});
}

void allowOnly(const Parsed& p, std::initializer_list<std::string_view> allowed) {
    const std::set<std::string_view> ok(allowed);
    for (const std::string& f : p.flags) {
        if (!ok.contains(f))
            throw UsageError{"命令 " + p.command + " 不接受选项 " + f};
    }
    for (const auto& [name, value] : p.values) {
        if (name != "--data" && !ok.contains(name)) {
            throw UsageError{"命令 " + p.command + " 不接受选项 " + name};
        }
    }
}

class Session {
  public:
    Session(const Parsed& p, std::ostream& out, std::ostream& err, const Environment& env)
        : out_(out), err_(err), inputFd_(env.inputFd), folder_(dataFolderOf(p, env.programDir)) {}

    bool checkData() {
        const std::string problem = dataFolderProblem(folder_);
        if (!problem.empty())
            error(problem);
        return problem.empty();
    }

    CharacterData& data() {
        if (!data_)
            data_ = std::make_unique<CharacterData>(folder_);
        return *data_;
    }

    void reportProblems() {
        if (!data_)
            return;
        for (const DataProblem& problem : data_->takeProblems())
            error(problem.message);
    }

    void error(std::string_view message) { writeError(err_, message); }

    std::ostream& out() { return out_; }
    std::ostream& err() { return err_; }
    [[nodiscard]] int inputFd() const { return inputFd_; }

  private:
    std::ostream& out_;
    std::ostream& err_;
    int inputFd_;
    std::filesystem::path folder_;
    std::unique_ptr<CharacterData> data_;
};

AnalysisOptions analysisOptions(const Parsed& p) {
    AnalysisOptions options;
    options.company = p.flags.contains("--company");
    options.autoRecognition = !p.flags.contains("--no-auto");
    if (p.values.contains("--surname-length")) {
        options.surnameLength = static_cast<int>(integerOption(
            p, "--surname-length", kMinSurnameLength, kMinSurnameLength, kMaxSurnameLength));
    }
    return options;
}

int analyzeCommand(const Parsed& p, std::istream& in, Session& s) {
    allowOnly(p, {"--company", "--surname-length", "--no-auto", "--json", "--batch"});
    const AnalysisOptions options = analysisOptions(p);
    const bool batch = p.flags.contains("--batch");
    const bool asJson = p.flags.contains("--json");
    if (batch && !p.positionals.empty())
        throw UsageError{"--batch 从标准输入读取名称，不能再在命令行给出名称"};
    if (!batch && p.positionals.empty())
        throw UsageError{"analyze 需要至少一个名称（或用 --batch）"};
    if (!s.checkData())
        return kExitData;

    CharacterData& data = s.data();
    std::string buffer;
    auto analyseOne = [&](std::u16string_view name) {
        // What a freshly opened window shows once the name is pasted.
        const Analysis a = analyseName(data, name, options);
        if (asJson) {
            appendAnalysisJson(buffer, a);
        } else {
            appendAnalysisText(buffer, a);
        }
        s.reportProblems();
    };
    auto flush = [&] {
        s.out().write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        buffer.clear();
    };

    if (batch) {
        // The data are checked for changes after every read of the input, not for every name: a
        // change made before a name was written is then always seen, and the check costs one call
        // per block of input instead of one per name. Output is flushed before each read, so a
        // caller that waits for an answer before writing more never waits in vain.
        std::optional<CharacterData::Batch> fresh;
        LineReader reader(in, s.inputFd());
        std::string line;
        bool readInput = false;
        while (reader.next(line, readInput, [&] {
            flush();
            s.out().flush();
        })) {
            if (readInput || !fresh) {
                fresh.reset();
                fresh.emplace(data);
            }
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            analyseOne(fromUtf8(line));
            if (buffer.size() > (1u << 16))
                flush();
            if (!s.out())
                return kExitOk;  // the caller reports the failed output
        }
        if (reader.error() != 0) {
            flush();
            s.error("无法读取标准输入：" + systemErrorText(reader.error()));
            return kExitFailure;
        }
        if (reader.lineTooLong()) {
            flush();
            s.error("标准输入中有一行超过 1 MiB，不像名称，读取到此为止");
            return kExitFailure;
        }
    } else {
        for (const std::string& name : p.positionals)
            analyseOne(fromUtf8(name));
    }
    flush();
    s.out().flush();
    return kExitOk;
}

int lookupCommand(const Parsed& p, Session& s) {
    allowOnly(p, {"--json"});
    if (p.positionals.size() != 1)
        throw UsageError{"lookup 需要正好一段文字"};
    if (!s.checkData())
        return kExitData;
    const std::u16string text = fromUtf8(p.positionals[0]);
    const bool asJson = p.flags.contains("--json");
    CharacterData& data = s.data();

    std::string out;
    if (asJson)
        out += '[';
    bool first = true;
    for (std::size_t i = 0; i < text.size();) {
        // One character is one code point: a surrogate pair is looked up as the pair it is.
        std::size_t len = 1;
        if (isHighSurrogate(text[i]) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            len = 2;
        }
        const std::u16string_view c(text.data() + i, len);
        i += len;
        const StrokeInfo info = data.strokes(c);
        const std::u16string traditional = data.traditional(c).value_or(std::u16string(c));
        if (asJson) {
            if (!first)
                out += ',';
            json::Object(out)
                .field("char", c)
                .field("strokes", static_cast<long long>(info.strokes))
                .field("attribute", std::u16string_view(info.attribute))
                .field("traditional", std::u16string_view(traditional))
                .close();
        } else {
            out += printable(c) + "\t" + std::to_string(info.strokes) + "画\t属性：" +
                   (info.attribute.empty() ? std::string("—") : printable(info.attribute)) +
                   "\t繁体：" + printable(traditional) + "\n";
        }
        first = false;
    }
    if (asJson)
        out += "]\n";
    s.out() << out;
    s.out().flush();
    s.reportProblems();
    return kExitOk;
}

int entryCommand(const Parsed& p, Session& s) {
    allowOnly(p, {});
    if (p.positionals.size() != 1)
        throw UsageError{"entry 需要一个 0 到 80 之间的数"};
    const std::optional<long long> n = parseInteger(p.positionals[0]);
    if (!n || *n < 0 || *n > kLuckEntries) {
        throw UsageError{"entry 需要一个 0 到 80 之间的数，而不是“" + p.positionals[0] + "”"};
    }
    const std::u16string_view text = luckEntry(static_cast<int>(*n));
    std::string out;
    forEachLine(text, [&](std::u16string_view line) { out += toUtf8(line) + "\n"; });
    s.out() << out;
    s.out().flush();
    return kExitOk;
}

// Today in the short date form of the user's locale (%x); the C locale's form when the
// environment names no usable locale.
std::string shortDateToday() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::ostringstream date;
    try {
        date.imbue(std::locale(""));
    } catch (const std::runtime_error&) {
    }
    date << std::put_time(&local, "%x");
    return date.str();
}

// The report of one name, as the main window writes it when 报表 is pressed after the name was
// typed in; it is not opened.
int reportCommand(const Parsed& p, Session& s, const Environment& env) {
    allowOnly(p, {"--company", "--surname-length", "--no-auto", "--dir"});
    const AnalysisOptions options = analysisOptions(p);
    if (p.positionals.size() != 1)
        throw UsageError{"report 需要正好一个名称"};
    if (!s.checkData())
        return kExitData;

    MainForm form(s.data());
    form.load();
    pasteName(form, fromUtf8(p.positionals[0]), options);
    s.reportProblems();

    const auto dir = p.values.find("--dir");
    std::filesystem::path folder;
    if (dir != p.values.end()) {
        folder = dir->second;
    } else {
        const DesktopLocation desktop = locateDesktop();
        if (!desktop.problem.empty()) {
            s.error(desktop.problem + "报表没有写出；可用 --dir 指定文件夹。");
            return kExitFailure;
        }
        folder = desktop.folder;
    }
    const std::string date = env.reportDate ? *env.reportDate : shortDateToday();
    const ReportResult r = writeReport(folder, reportFieldsOf(form), fromUtf8(date));
    if (!r.ok()) {
        s.error(r.message);
        return kExitFailure;
    }
    if (r.unmappable > 0) {
        s.error("报表中有 " + std::to_string(r.unmappable) +
                " 个字符无法用 GBK 编码保存，已写作“?”。");
    }
    s.out() << printable(r.file.string()) << '\n';
    s.out().flush();
    return kExitOk;
}

// The main window's surname length counts UTF-16 units, so a character beyond the basic plane
// takes two of its ten places; the message counts characters, as the user sees them.
void checkPrefix(std::u16string_view prefix) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        // The low half of a pair is no character of its own.
        if (!(i > 0 && isLowSurrogate(prefix[i]) && isHighSurrogate(prefix[i - 1])))
            ++characters;
    }
    if (characters > static_cast<std::size_t>(kMaxPrefixLength)) {
        throw UsageError{"--prefix 最多 " + std::to_string(kMaxPrefixLength) + " 个字，而“" +
                         toUtf8(prefix) + "”有 " + std::to_string(characters) + " 个"};
    }
    if (prefix.size() > static_cast<std::size_t>(kMaxPrefixLength)) {
        throw UsageError{"--prefix“" + toUtf8(prefix) + "”的 " + std::to_string(characters) +
                         " 个字中有基本平面以外的字，各占姓长度的 2 位，合计超过 " +
                         std::to_string(kMaxPrefixLength)};
    }
}

// Runs of the naming engine with the naming window's rules, judged by the main window's analysis
// of a form loaded once, as presses of 求名 in one session are.
int nameCommand(const Parsed& p, Session& s, const Environment& env) {
    allowOnly(p, {"--prefix", "--suffix", "--chars", "--limit", "--no-words", "--all-chars",
                  "--all-tiers", "--gender", "--runs", "--seed", "--json", "--supply", "--birth",
                  "--tz", "--longitude", "--zi-day"});
    if (!p.positionals.empty())
        throw UsageError{"name 不接受名称参数，姓用 --prefix 给出"};
    NamingSettings settings;
    // Bytes that are not UTF-8 would become replacement characters inside every name proposed.
    for (const char* option : {"--prefix", "--suffix"}) {
        const std::string value = valueOr(p, option, "");
        if (validUtf8(value) != value)
            throw UsageError{std::string(option) + " 的值“" + value + "”不是有效的 UTF-8 文字"};
    }
    settings.prefix = fromUtf8(valueOr(p, "--prefix", ""));
    checkPrefix(settings.prefix);
    DrawOptions draw;
    draw.gender = genderOption(p);
    draw.allTiers = p.flags.contains("--all-tiers");
    draw.allChars = p.flags.contains("--all-chars");
    if (settings.prefix.empty() && draw.gender != Gender::any)
        throw UsageError{"公司名（没有 --prefix）不分性别，不用 --gender"};
    settings.suffix = fromUtf8(valueOr(p, "--suffix", ""));
    settings.count =
        fromUtf8(std::to_string(integerOption(p, "--chars", 2, 1, kMaxCharacterCount)));
    settings.limit = fromUtf8(std::to_string(integerOption(p, "--limit", 9, 1, kMaxStrokeLimit)));
    settings.词义 = p.flags.contains("--no-words") ? 0 : 1;
    const long long runs = integerOption(p, "--runs", 1, 1, 100000);
    const bool seeded = p.values.contains("--seed");
    const long long firstSeed =
        seeded ? integerOption(p, "--seed", 0, 0, std::numeric_limits<long long>::max()) : 0;
    int status = kExitOk;
    const std::optional<Supply> supply = supplyOption(p, env, s.err(), status);
    if (!supply)
        return status;
    if (!s.checkData())
        return kExitData;

    WordListLoad words;
    if (settings.词义 != 0 && settings.count == u"2") {
        words = loadWordList(s.data().folder() / std::filesystem::path(toUtf8(kWordListName)));
        if (words.status != WordListStatus::ok)
            s.error(toUtf8(wordListProblem(words)));
        if (!words.damage.empty())
            s.error(words.damage);
    }
    MainForm form(s.data());
    form.load();
    FormEvaluator evaluator(form);
    SettingsPanel panel(settings);
    auto seed = static_cast<std::uint64_t>(firstSeed);
    UniformRandom random(seeded ? UniformRandom::SeedSource([&] { return seed++; })
                                : UniformRandom::SeedSource());
    const PoolSource lists = [&](int n) { return s.data().strokePool(n); };
    DrawRules rules = tableDrawRules(lists, draw, attributesOf(s.data()));
    rules.supply = supply->elements;
    NamingEngine engine(evaluator, panel, random, admittedPools(lists, draw, false), words.words,
                        std::move(rules));
    if (supply->asked && !p.flags.contains("--json"))
        s.out() << supplyLine(*supply);
    bool anyAccepted = false;
    for (long long i = 1; i <= runs; ++i) {
        const RunResult r = engine.run();
        if (r.outcome != RunOutcome::accepted && r.outcome != RunOutcome::timedOut)
            throw UsageError{toUtf8(messageOf(r.outcome))};
        const bool accepted = r.outcome == RunOutcome::accepted;
        anyAccepted = anyAccepted || accepted;
        if (!accepted)
            form.press求全称属性();  // the analysis shown names the last candidate's attribute
        std::string out;
        if (p.flags.contains("--json")) {
            json::Object object(out);
            analysisFields(object, readAnalysis(form))
                .field("accepted", accepted)
                .field("attempts", static_cast<long long>(r.attempts));
            if (supply->asked)
                object.field("supply", std::u16string_view(supply->elements));
            if (r.word)
                object.field("word", std::u16string_view(*r.word));
            object.close();
            out += '\n';
        } else {
            out += "第 " + std::to_string(i) + " 次：" +
                   (accepted ? "第 " + std::to_string(r.attempts) + " 个候选合格"
                             : toUtf8(kTimeOutMessage) + "最后的候选是") +
                   (r.word ? "（" + toUtf8(kFromWordPrefix) + printable(*r.word) + "）" : "") +
                   "\n";
            appendAnalysisText(out, readAnalysis(form));
        }
        s.out() << out;
        s.reportProblems();
        if (!s.out())
            break;
    }
    s.out().flush();
    return anyAccepted ? kExitOk : kExitNoName;
}

int runCommand(const Parsed& p, std::istream& in, Session& session, const Environment& env) {
    if (p.command == "analyze")
        return analyzeCommand(p, in, session);
    if (p.command == "lookup")
        return lookupCommand(p, session);
    if (p.command == "entry")
        return entryCommand(p, session);
    if (p.command == "report")
        return reportCommand(p, session, env);
    if (p.command == "name")
        return nameCommand(p, session, env);
    if (p.command.empty())
        throw UsageError{"缺少命令"};
    throw UsageError{"未知的命令 " + p.command};
}

// Output that did not reach its place is a failure, however the command went.
int outputChecked(int status, std::ostream& out, std::ostream& err, const Environment& env) {
    out.flush();
    if (out)
        return status;
    const int error = env.outputError ? env.outputError() : 0;
    err << kProgram << ": 无法写出到标准输出："
        << (error != 0 ? systemErrorText(error) : std::string("写入失败")) << '\n';
    return status == kExitOk || status == kExitNoName ? kExitFailure : status;
}

}  // namespace

int run(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
        std::ostream& err, const Environment& env) {
    if (isSearchCommand(args))
        return outputChecked(runSearch(args, out, err, env), out, err, env);
    if (isBaziCommand(args))
        return outputChecked(runBazi(args, out, err, env), out, err, env);
    try {
        const Parsed p = parse(args);
        if (p.flags.contains("--help")) {
            out << kUsage;
            return outputChecked(kExitOk, out, err, env);
        }
        if (p.flags.contains("--version")) {
            out << kProgram << ' ' << versionText() << '\n';
            return outputChecked(kExitOk, out, err, env);
        }
        Session session(p, out, err, env);
        return outputChecked(runCommand(p, in, session, env), out, err, env);
    } catch (const UsageError& e) {
        writeError(err, e.message + "（用 --help 查看用法）");
        return kExitUsage;
    } catch (const std::exception& e) {
        writeError(err, e.what());
        return kExitFailure;
    }
}

}  // namespace muwu::cli
