#include "names/score.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <unordered_map>

#include "names/luck_table.h"

namespace muwu {

std::optional<double> leadingNumber(std::u16string_view text) noexcept {
    // Most captions are small whole numbers; those need no strtod.
    if (!text.empty() && text.size() <= 9) {
        long long v = 0;
        std::size_t k = 0;
        while (k < text.size() && text[k] >= u'0' && text[k] <= u'9')
            v = v * 10 + (text[k++] - u'0');
        if (k == text.size())
            return static_cast<double>(v);
    }
    std::size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    char buf[64];
    std::size_t n = 0;
    auto take = [&](char c) {
        if (n + 1 < sizeof buf)
            buf[n++] = c;
    };
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        take(static_cast<char>(text[i++]));
    bool digits = false;
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9')
        take(static_cast<char>(text[i++])), digits = true;
    if (i < text.size() && text[i] == u'.') {
        take('.');
        ++i;
        while (i < text.size() && text[i] >= u'0' && text[i] <= u'9')
            take(static_cast<char>(text[i++])), digits = true;
    }
    if (!digits)
        return std::nullopt;
    if (i + 1 < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        std::size_t j = i + 1;
        char sign = 0;
        if (j < text.size() && (text[j] == u'+' || text[j] == u'-'))
            sign = static_cast<char>(text[j++]);
        if (j < text.size() && text[j] >= u'0' && text[j] <= u'9') {
            take('e');
            if (sign)
                take(sign);
            while (j < text.size() && text[j] >= u'0' && text[j] <= u'9')
                take(static_cast<char>(text[j++]));
        }
    }
    buf[n] = '\0';
    const double v = std::strtod(buf, nullptr);
    if (!std::isfinite(v))
        return std::nullopt;
    return v;
}

double numberOf(std::u16string_view text) noexcept {
    return leadingNumber(text).value_or(0.0);
}

std::u16string numberText(double v) {
    if (v == 0)
        return u"0";  // also for -0
    char buf[64];
    const int n = std::snprintf(buf, sizeof buf, "%.15g", v);
    return std::u16string(buf, buf + std::clamp(n, 0, static_cast<int>(sizeof buf) - 1));
}

double roundToTenth(double v) noexcept {
    // nearbyint follows the default rounding mode, which sends halves to the even neighbour.
    return std::nearbyint(v * 10.0) / 10.0;
}

std::u16string scoreStepByMarkers(std::u16string_view score, unsigned markers) {
    markers &= kHasLuck | kHasMisfortune;
    if (markers == 0)
        return std::u16string(score);
    // A name reaches only a few dozen distinct steps; formatting and reading back each product is
    // the costly part, so the results are remembered.
    thread_local std::unordered_map<std::u16string, std::u16string> memo;
    std::u16string key(score);
    key.push_back(static_cast<char16_t>(markers));
    if (auto it = memo.find(key); it != memo.end())
        return it->second;
    std::u16string current(score);
    if (markers & kHasLuck)
        current = numberText(numberOf(current) * kLuckFactor);
    if (markers & kHasMisfortune)
        current = numberText(numberOf(current) * kMisfortuneFactor);
    if (memo.size() > 4096)
        memo.clear();
    memo.emplace(std::move(key), current);
    return current;
}

std::u16string scoreStep(std::u16string_view score, std::u16string_view gridText) {
    return scoreStepByMarkers(score, markersOf(gridText));
}

std::u16string_view companyScoreOf(LuckClass total) noexcept {
    switch (total) {
        case LuckClass::greatLuck:
            return u"100";
        case LuckClass::luck:
            return u"85";
        case LuckClass::misfortune:
            return u"50";
        case LuckClass::none:
            break;
    }
    return {};
}

std::optional<std::u16string> companyScore(std::u16string_view totalText) {
    const std::u16string_view s = companyScoreOf(classOf(totalText));
    if (s.empty())
        return std::nullopt;
    return std::u16string(s);
}

std::u16string roundedScore(std::u16string_view score) {
    thread_local std::unordered_map<std::u16string, std::u16string> memo;
    const std::u16string key(score);
    if (auto it = memo.find(key); it != memo.end())
        return it->second;
    const std::optional<double> v = leadingNumber(score);
    std::u16string rounded = v ? numberText(roundToTenth(*v)) : key;
    if (memo.size() > 4096)
        memo.clear();
    memo.emplace(key, rounded);
    return rounded;
}

}  // namespace muwu
