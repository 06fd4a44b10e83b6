#include "names/luck_table.h"

#include <array>
#include <string>
#include <vector>

#include "platform/text.h"

namespace muwu::resources {
extern const char kLuckTable[];
extern const std::size_t kLuckTableSize;
}  // namespace muwu::resources

namespace muwu {

namespace {

// The resource holds the entries in order, six lines each, one empty line between entries.
std::array<std::u16string, kLuckEntries + 1> parseTable() {
    std::array<std::u16string, kLuckEntries + 1> entries;
    const std::u16string text =
        fromUtf8(std::string_view(resources::kLuckTable, resources::kLuckTableSize));
    std::vector<std::u16string_view> lines;
    int n = 1;
    auto flush = [&] {
        if (!lines.empty() && n <= kLuckEntries) {
            std::u16string entry;
            for (std::size_t i = 0; i < lines.size(); ++i) {
                if (i > 0)
                    entry += u"\r\n";
                entry += lines[i];
            }
            entries[static_cast<std::size_t>(n++)] = std::move(entry);
        }
        lines.clear();
    };
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(u'\n', start);
        if (end == std::u16string::npos)
            end = text.size();
        std::u16string_view line(text.data() + start, end - start);
        if (!line.empty() && line.back() == u'\r')
            line.remove_suffix(1);
        if (line.empty()) {
            flush();
        } else {
            lines.push_back(line);
        }
        start = end + 1;
    }
    flush();
    return entries;
}

const std::array<std::u16string, kLuckEntries + 1>& table() {
    static const auto entries = parseTable();
    return entries;
}

}  // namespace

unsigned entryMarkers(int n) noexcept {
    static const auto markers = [] {
        std::array<unsigned, kLuckEntries + 1> m{};
        for (int i = 0; i <= kLuckEntries; ++i)
            m[static_cast<std::size_t>(i)] = markersOf(luckEntry(i));
        return m;
    }();
    if (n < 0 || n > kLuckEntries)
        return 0;
    return markers[static_cast<std::size_t>(n)];
}

std::u16string_view luckEntry(int n) noexcept {
    if (n < 1 || n > kLuckEntries)
        return {};
    return table()[static_cast<std::size_t>(n)];
}

unsigned markersOf(std::u16string_view text) noexcept {
    unsigned found = 0;
    for (std::size_t i = text.find(u'（'); i != std::u16string_view::npos;
         i = text.find(u'（', i + 1)) {
        const std::u16string_view rest = text.substr(i);
        if (rest.starts_with(kGreatLuckMarker)) {
            found |= kHasGreatLuck;
        } else if (rest.starts_with(kLuckMarker)) {
            found |= kHasLuck;
        } else if (rest.starts_with(kMisfortuneMarker)) {
            found |= kHasMisfortune;
        }
    }
    return found;
}

LuckClass classOfMarkers(unsigned markers) noexcept {
    if (markers & kHasGreatLuck)
        return LuckClass::greatLuck;
    if (markers & kHasLuck)
        return LuckClass::luck;
    if (markers & kHasMisfortune)
        return LuckClass::misfortune;
    return LuckClass::none;
}

Colour colourOfMarkers(unsigned markers) noexcept {
    return (markers & kHasMisfortune) ? kRed : kGreen;
}

LuckClass classOf(std::u16string_view text) noexcept {
    return classOfMarkers(markersOf(text));
}

std::u16string_view className(LuckClass c) noexcept {
    switch (c) {
        case LuckClass::greatLuck:
            return u"大吉";
        case LuckClass::luck:
            return u"吉";
        case LuckClass::misfortune:
            return u"凶";
        case LuckClass::none:
            break;
    }
    return {};
}

Colour gridColour(std::u16string_view text) noexcept {
    return colourOfMarkers(markersOf(text));
}

}  // namespace muwu
