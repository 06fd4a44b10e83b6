#include "naming/name_worthy.h"

#include <bitset>
#include <cstddef>
#include <utility>

#include "platform/text.h"

namespace muwu {
namespace resources {
extern const char kNameWorthy[];
extern const std::size_t kNameWorthySize;
}  // namespace resources

namespace {

struct NameWorthySet {
    std::u16string characters;
    std::bitset<0x10000> member;
};

// Comment lines start with '#'; every other character that is not a line end is one entry.
NameWorthySet parse() {
    NameWorthySet set;
    const std::u16string text =
        fromUtf8(std::string_view(resources::kNameWorthy, resources::kNameWorthySize));
    forEachLine(text, [&](std::u16string_view line) {
        if (line.starts_with(u'#'))
            return;
        for (const char16_t c : line) {
            if (c != u' ' && !set.member[c]) {
                set.member[c] = true;
                set.characters += c;
            }
        }
    });
    return set;
}

const NameWorthySet& nameWorthySet() noexcept {
    static const NameWorthySet set = parse();
    return set;
}

}  // namespace

bool isNameWorthy(char16_t c) noexcept {
    return nameWorthySet().member[c];
}

const std::u16string& nameWorthyCharacters() noexcept {
    return nameWorthySet().characters;
}

std::u16string nameWorthyOnly(std::u16string_view pool) {
    std::u16string kept;
    for (const char16_t c : pool) {
        if (isNameWorthy(c))
            kept += c;
    }
    return kept;
}

std::function<std::u16string(int strokes)> nameWorthyPools(
    std::function<std::u16string(int strokes)> pools) {
    return [pools = std::move(pools)](int strokes) { return nameWorthyOnly(pools(strokes)); };
}

}  // namespace muwu
