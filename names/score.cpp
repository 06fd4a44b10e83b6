#include "names/score.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "names/luck_table.h"

namespace muwu {

std::optional<double> leadingNumber(std::u16string_view text) noexcept {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
    char buf[64];
    std::size_t n = 0;
    auto take = [&](char c) {
        if (n + 1 < sizeof buf) buf[n++] = c;
    };
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) take(static_cast<char>(text[i++]));
    bool digits = false;
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') take(static_cast<char>(text[i++])), digits = true;
    if (i < text.size() && text[i] == u'.') {
        take('.');
        ++i;
        while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') take(static_cast<char>(text[i++])), digits = true;
    }
    if (!digits) return std::nullopt;
    if (i + 1 < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        std::size_t j = i + 1;
        char sign = 0;
        if (j < text.size() && (text[j] == u'+' || text[j] == u'-')) sign = static_cast<char>(text[j++]);
        if (j < text.size() && text[j] >= u'0' && text[j] <= u'9') {
            take('e');
            if (sign) take(sign);
            while (j < text.size() && text[j] >= u'0' && text[j] <= u'9') take(static_cast<char>(text[j++]));
        }
    }
    buf[n] = '\0';
    const double v = std::strtod(buf, nullptr);
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

double numberOf(std::u16string_view text) noexcept { return leadingNumber(text).value_or(0.0); }

std::u16string numberText(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", v);
    std::u16string out;
    for (const char* p = buf; *p; ++p) out.push_back(static_cast<char16_t>(*p));
    if (out == u"-0") out = u"0";
    return out;
}

double roundToTenth(double v) noexcept {
    // nearbyint follows the default rounding mode, which sends halves to the even neighbour.
    return std::nearbyint(v * 10.0) / 10.0;
}

std::u16string scoreStep(std::u16string_view score, std::u16string_view gridText) {
    std::u16string current(score);
    if (gridText.find(kLuckMarker) != std::u16string_view::npos) {
        current = numberText(numberOf(current) * kLuckFactor);
    }
    if (gridText.find(kMisfortuneMarker) != std::u16string_view::npos) {
        current = numberText(numberOf(current) * kMisfortuneFactor);
    }
    return current;
}

std::optional<std::u16string> companyScore(std::u16string_view totalText) {
    switch (classOf(totalText)) {
        case LuckClass::greatLuck: return u"100";
        case LuckClass::luck: return u"85";
        case LuckClass::misfortune: return u"50";
        case LuckClass::none: break;
    }
    return std::nullopt;
}

std::u16string roundedScore(std::u16string_view score) {
    const std::optional<double> v = leadingNumber(score);
    if (!v) return std::u16string(score);
    return numberText(roundToTenth(*v));
}

}  // namespace muwu
