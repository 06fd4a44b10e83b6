#include "update/version_compare.h"

#include <algorithm>

namespace muwu {

std::optional<std::vector<std::u16string_view>> versionComponents(std::u16string_view version) {
    std::vector<std::u16string_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t dot = version.find(u'.', start);
        std::u16string_view part = version.substr(
            start, dot == std::u16string_view::npos ? std::u16string_view::npos : dot - start);
        if (part.empty() || !std::all_of(part.begin(), part.end(),
                                         [](char16_t c) { return c >= u'0' && c <= u'9'; }))
            return std::nullopt;
        while (part.size() > 1 && part.front() == u'0')
            part.remove_prefix(1);
        parts.push_back(part);
        if (dot == std::u16string_view::npos)
            return parts;
        start = dot + 1;
    }
}

std::optional<int> compareVersions(std::u16string_view a, std::u16string_view b) {
    const auto pa = versionComponents(a);
    const auto pb = versionComponents(b);
    if (!pa || !pb)
        return std::nullopt;
    const std::size_t n = std::max(pa->size(), pb->size());
    for (std::size_t i = 0; i < n; ++i) {
        // Without leading zeros a longer digit run is the larger number, whatever its length.
        const std::u16string_view x = i < pa->size() ? (*pa)[i] : std::u16string_view(u"0");
        const std::u16string_view y = i < pb->size() ? (*pb)[i] : std::u16string_view(u"0");
        if (x.size() != y.size())
            return x.size() < y.size() ? -1 : 1;
        if (const int c = x.compare(y); c != 0)
            return c < 0 ? -1 : 1;
    }
    return 0;
}

bool serverIsNewer(std::u16string_view current, std::u16string_view token) {
    if (token.empty())
        return false;
    const auto order = compareVersions(current, token.substr(1));
    return order && *order < 0;
}

}  // namespace muwu
