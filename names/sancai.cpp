#include "names/sancai.h"

#include <array>

#include "platform/text.h"

namespace muwu::resources {
extern const char kSancaiTable[];
extern const std::size_t kSancaiTableSize;
}  // namespace muwu::resources

namespace muwu {

namespace {

constexpr std::u16string_view kElementNames = u"木火土金水";
constexpr std::size_t kElements = kElementNames.size();
constexpr std::size_t kCombinations = kElements * kElements * kElements;

constexpr std::size_t indexOf(Element h, Element p, Element e) noexcept {
    return (static_cast<std::size_t>(h) * kElements + static_cast<std::size_t>(p)) * kElements +
           static_cast<std::size_t>(e);
}

struct Table {
    std::array<SancaiClass, kCombinations> verdicts{};
    int rows = 0;  // combinations given a class, each once
};

// Rows of "木火土<TAB>吉"; comment lines begin with '#'. A row that does not parse, or repeats a
// combination, is left out, so the count tells whether the table is whole.
Table parseTable() {
    Table t;
    t.verdicts.fill(SancaiClass::middling);
    std::array<bool, kCombinations> seen{};
    const std::u16string text =
        fromUtf8(std::string_view(resources::kSancaiTable, resources::kSancaiTableSize));
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(u'\n', start);
        if (end == std::u16string::npos)
            end = text.size();
        const std::u16string_view line(text.data() + start, end - start);
        start = end + 1;
        if (line.empty() || line.front() == u'#' || line.size() < 5 || line[3] != u'\t')
            continue;
        std::size_t index = 0;
        bool elements = true;
        for (std::size_t i = 0; i < 3; ++i) {
            const std::size_t e = kElementNames.find(line[i]);
            elements = elements && e != std::u16string_view::npos;
            index = index * kElements + e;
        }
        const std::optional<SancaiClass> verdict = sancaiClassNamed(line.substr(4));
        if (!elements || !verdict || seen[index])
            continue;
        seen[index] = true;
        t.verdicts[index] = *verdict;
        ++t.rows;
    }
    return t;
}

const Table& table() {
    static const Table t = parseTable();
    return t;
}

}  // namespace

SancaiClass sancaiClassOf(Element heaven, Element person, Element earth) noexcept {
    return table().verdicts[indexOf(heaven, person, earth)];
}

Sancai sancaiOf(long long heaven, long long person, long long earth) noexcept {
    Sancai s{elementOf(heaven), elementOf(person), elementOf(earth), {}};
    s.verdict = sancaiClassOf(s.heaven, s.person, s.earth);
    return s;
}

std::u16string_view elementName(Element e) noexcept {
    return kElementNames.substr(static_cast<std::size_t>(e), 1);
}

std::u16string elementsText(const Sancai& s) {
    std::u16string text;
    text += elementName(s.heaven);
    text += elementName(s.person);
    text += elementName(s.earth);
    return text;
}

std::u16string_view sancaiClassName(SancaiClass c) noexcept {
    switch (c) {
        case SancaiClass::luck:
            return u"吉";
        case SancaiClass::middling:
            return u"平";
        case SancaiClass::misfortune:
            return u"凶";
    }
    return {};
}

std::optional<SancaiClass> sancaiClassNamed(std::u16string_view name) noexcept {
    for (const SancaiClass c :
         {SancaiClass::luck, SancaiClass::middling, SancaiClass::misfortune}) {
        if (name == sancaiClassName(c))
            return c;
    }
    return std::nullopt;
}

int sancaiTableRows() noexcept {
    return table().rows;
}

}  // namespace muwu
