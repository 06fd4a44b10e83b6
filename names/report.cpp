#include "names/report.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

#include "platform/error_text.h"
#include "platform/gbk.h"
#include "platform/text.h"

namespace muwu {

namespace {

constexpr std::u16string_view kLineEnd = u"\r\n";

void appendLine(std::u16string& out, std::u16string_view line) {
    out += line;
    out += kLineEnd;
}

void appendHeading(std::u16string& out, std::u16string_view caption, int ruleLength) {
    out += caption;
    for (int i = 0; i < ruleLength; ++i)
        out += kRule;
    out += kLineEnd;
}

void appendBlock(std::u16string& out, std::u16string_view caption, int ruleLength,
                 std::u16string_view text) {
    appendHeading(out, caption, ruleLength);
    appendLine(out, text);
    appendLine(out, u"");
}

std::string quoted(const std::filesystem::path& p) {
    return "“" + validUtf8(p.string()) + "”";
}

constexpr std::string_view kTemporaryPrefix = ".muwu-report-";
constexpr std::string_view kTemporarySuffix = ".tmp";

// Temporary files of writers that were killed before they could rename or remove them: the
// writer's process id is part of the name, and a process that is gone will never come back for
// its file.
void removeAbandonedTemporaries(const std::filesystem::path& folder) {
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!name.starts_with(kTemporaryPrefix) || !name.ends_with(kTemporarySuffix))
            continue;
        const std::string_view rest = std::string_view(name).substr(kTemporaryPrefix.size());
        long long pid = 0;
        std::size_t digits = 0;
        while (digits < rest.size() && rest[digits] >= '0' && rest[digits] <= '9' && pid < 1 << 30)
            pid = pid * 10 + (rest[digits++] - '0');
        if (digits == 0 || digits >= rest.size() || rest[digits] != '-' || pid <= 0)
            continue;
        if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
            std::error_code ignored;
            std::filesystem::remove(it->path(), ignored);
        }
    }
}

// Writes all of bytes to fd; false with errno set when the system refuses.
bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// A fresh file beside the report. The name is short and plain so that it fits wherever the
// report's own name fits; mode 0666 leaves the permissions to the user's umask, as for any file.
int createTemporary(const std::filesystem::path& folder, std::filesystem::path& temporary) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = folder / (std::string(kTemporaryPrefix) + std::to_string(::getpid()) + "-" +
                              std::to_string(attempt) + std::string(kTemporarySuffix));
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

}  // namespace

ReportFields reportFieldsOf(const MainForm& form) {
    ReportFields f;
    f.name = form.Text3;
    f.score = form.评分;
    f.totalCaption = form.总运板;
    f.totalText = form.Text4;
    f.company = form.公司名;
    for (std::size_t i = 0; i < kGridFrameCaptions.size(); ++i) {
        f.gridCaptions[i] = kGridFrameCaptions[i];
    }
    f.gridTexts = {form.Text5, form.Text6, form.Text7, form.Text8};
    return f;
}

std::u16string reportText(const ReportFields& f, std::u16string_view date) {
    std::u16string out;
    out.reserve(4096);
    appendLine(out, f.name + u"  总评分=" + f.score);
    appendBlock(out, f.totalCaption, kTotalRuleLength, f.totalText);
    if (!f.company) {
        for (std::size_t i = 0; i < f.gridTexts.size(); ++i) {
            appendBlock(out, f.gridCaptions[i], kGridRuleLengths[i], f.gridTexts[i]);
        }
    }
    appendLine(out, kClosingRule);
    appendLine(out, date);
    return out;
}

std::u16string reportFileName(std::u16string_view name) {
    return u"《" + std::u16string(name) + u"》姓名报告.txt";
}

namespace {
constexpr bool isControl(char16_t c) noexcept {
    return c < 0x20 || c == 0x7F;
}
}  // namespace

std::optional<char16_t> forbiddenFileNameCharacter(std::u16string_view name) noexcept {
    constexpr std::u16string_view kForbidden = u"\\/:*?\"<>|";
    for (const char16_t c : name) {
        if (isControl(c) || kForbidden.find(c) != std::u16string_view::npos)
            return c;
    }
    return std::nullopt;
}

ReportResult writeReport(const std::filesystem::path& folder, const ReportFields& fields,
                         std::u16string_view date) {
    ReportResult r;
    if (const std::optional<char16_t> c = forbiddenFileNameCharacter(fields.name)) {
        r.error = ReportError::forbiddenCharacter;
        if (isControl(*c)) {
            char code[16];
            std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(*c));
            r.message =
                std::string("名称中有控制字符（") + code + "），不能用作文件名，报表没有写出。";
        } else {
            r.message = "名称中有文件名不能使用的字符“" + toUtf8(std::u16string_view(&*c, 1)) +
                        "”，报表没有写出。";
        }
        return r;
    }
    if (folder.empty()) {
        r.error = ReportError::noFolder;
        r.message = "找不到桌面文件夹，报表没有写出。";
        return r;
    }
    r.file = folder / std::filesystem::path(toUtf8(reportFileName(fields.name)));
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        r.error = ReportError::folderMissing;
        r.message = std::filesystem::exists(folder, ec)
                        ? quoted(folder) + "不是文件夹，报表没有写出。"
                        : "文件夹" + quoted(folder) + "不存在，报表没有写出。";
        return r;
    }
    removeAbandonedTemporaries(folder);

    const GbkEncoded encoded = encodeGbk(reportText(fields, date));
    r.unmappable = encoded.unmappable;

    std::filesystem::path temporary;
    const int fd = createTemporary(folder, temporary);
    bool written = fd >= 0;
    int error = written ? 0 : errno;
    if (written && !(writeAll(fd, encoded.bytes) && ::fsync(fd) == 0)) {
        written = false;
        error = errno;
    }
    if (fd >= 0 && ::close(fd) != 0 && written) {
        written = false;
        error = errno;
    }
    if (written && std::rename(temporary.c_str(), r.file.c_str()) != 0) {
        written = false;
        error = errno;
    }
    if (!written) {
        if (fd >= 0)
            ::unlink(temporary.c_str());
        r.error = ReportError::writeFailed;
        r.message = "无法写出报表" + quoted(r.file) + "：" + systemErrorText(error);
    }
    return r;
}

}  // namespace muwu
