#include "shell/links.h"

#include <system_error>

namespace muwu {

namespace {

constexpr bool isBlank(char16_t c) noexcept {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\u3000';
}

std::u16string_view trimmed(std::u16string_view s) noexcept {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool equalsIgnoringCase(std::u16string_view s, std::u16string_view lower) noexcept {
    if (s.size() != lower.size())
        return false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char16_t c = (s[i] >= u'A' && s[i] <= u'Z') ? char16_t(s[i] - u'A' + u'a') : s[i];
        if (c != lower[i])
            return false;
    }
    return true;
}

}  // namespace

std::string siteAddress(const char* override) {
    if (override) {
        std::string_view s(override);
        const auto first = s.find_first_not_of(" \t\r\n");
        if (first != std::string_view::npos) {
            s.remove_prefix(first);
            s.remove_suffix(s.size() - 1 - s.find_last_not_of(" \t\r\n"));
            return std::string(s);
        }
    }
    return std::string(kSiteAddress);
}

std::string pageAddress(std::string_view site, std::string_view page) {
    while (!site.empty() && site.back() == '/')
        site.remove_suffix(1);
    std::string out(site);
    if (!page.empty() && page.front() != '/')
        out += '/';
    out += page;
    return out;
}

LinkTarget linkTarget(const std::filesystem::path& programFolder, std::string_view localFile,
                      std::string_view site, std::string_view page) {
    const std::filesystem::path file = programFolder / std::filesystem::path(localFile);
    std::error_code ec;
    if (!programFolder.empty() && std::filesystem::is_regular_file(file, ec))
        return {file, {}};
    return {{}, pageAddress(site, page)};
}

bool visitDone(std::optional<std::u16string_view> stored) noexcept {
    if (!stored)
        return false;
    const std::u16string_view v = trimmed(*stored);
    return !(equalsIgnoringCase(v, u"false") || v == u"0");
}

}  // namespace muwu
