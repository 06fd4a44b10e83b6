#include "naming/search_order.h"

#include "lexicon/sound_rules.h"
#include "naming/supply.h"
#include "platform/text.h"

namespace muwu {

namespace {

constexpr std::u16string_view kAttributes = u"金木水火土";

std::uint64_t mix(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

std::uint64_t shuffleSeed(const SearchOptions& o) {
    std::uint64_t h = 0xCBF29CE484222325ull;
    auto add = [&](std::uint64_t v) { h = (h ^ v) * 0x100000001B3ull; };
    for (const char16_t c : o.surname)
        add(c);
    add(0x10000);
    for (const char16_t c : o.suffix)
        add(c);
    add(o.company ? 1 : 2);
    return h;
}

}  // namespace

int tierOf(const SearchOptions& o, const NameCharacter* name, const FirmCharacter* firm) {
    if (o.company)
        return firm ? firm->tier : 0;
    return name ? name->tier : 0;
}

int characterPenalty(int tier, int commonness) noexcept {
    if (tier == kTopTier)
        return 0;
    if (tier == kLastTier)
        return 2;
    return 3 + commonness;
}

std::string searchOptionsProblem(const SearchOptions& o) {
    if (o.givenLength != 1 && o.givenLength != 2)
        return "名字的字数只能是 1 或 2";
    if (!o.company && o.surname.empty())
        return "请给出姓（公司名可以不给前缀）";
    if (!o.company && o.surname.size() > static_cast<std::size_t>(kMaxSurnameLength))
        return "姓最长 10 个字";
    if (!o.company && !o.suffix.empty())
        return "后缀只用于公司名";
    if (o.company && o.gender != Gender::any)
        return "公司名不分性别";
    if (o.keep) {
        if (o.keepAt < 1 || o.keepAt > o.givenLength)
            return "保留字的位置只能是 1 到 " + std::to_string(o.givenLength);
        if (isSurrogate(*o.keep))
            return "保留字必须是基本平面中的一个汉字";
    }
    if (o.attributes.size() > static_cast<std::size_t>(o.givenLength))
        return "属性最多 " + std::to_string(o.givenLength) + " 个（每个字一个）";
    for (const char16_t a : o.attributes) {
        if (kAttributes.find(a) == std::u16string_view::npos)
            return "属性只能是金、木、水、火、土";
    }
    if (std::string problem = supplyProblem(o.supply); !problem.empty())
        return problem;
    if (o.top < 1)
        return "列出的名字至少 1 个";
    return {};
}

AnalysisOptions searchAnalysisOptions(const SearchOptions& o) {
    AnalysisOptions a;
    a.company = o.company;
    a.autoRecognition = false;
    if (!o.company)
        a.surnameLength = static_cast<int>(o.surname.size());
    return a;
}

std::u16string searchedName(const SearchOptions& o, std::u16string_view given) {
    std::u16string name = o.surname;
    name += given;
    if (o.company)
        name += o.suffix;
    return name;
}

bool engineAccepts(const Analysis& a) {
    if (a.totalClass == LuckClass::misfortune)
        return false;
    if (a.company)
        return true;
    if (a.personClass == LuckClass::misfortune || a.earthClass == LuckClass::misfortune)
        return false;
    return !(a.outerClass == LuckClass::misfortune && a.name.size() != 2);
}

bool searchAdmits(const SearchOptions& o, const PoolCharacter& c) {
    const int tier = tierOf(o, c.name, c.firm);
    const bool inTable = tier == kTopTier || (o.allTiers && tier == kLastTier);
    if (!c.anyCharacter && !inTable)
        return false;
    return o.company || suits(c.name ? c.name->lean : Lean::neutral, o.gender);
}

std::uint64_t shuffleOrder(const SearchOptions& o, int place, char16_t c) {
    return mix(shuffleSeed(o) ^ (static_cast<std::uint64_t>(place) << 32) ^ c);
}

int nameQuality(const SearchOptions& o, std::u16string_view given) {
    std::optional<std::size_t> fixed;
    if (o.keep && o.keepAt >= 1 && static_cast<std::size_t>(o.keepAt) <= given.size())
        fixed = static_cast<std::size_t>(o.keepAt - 1);
    int quality = 0;
    bool male = false, female = false;
    for (std::size_t i = 0; i < given.size(); ++i) {
        const NameCharacter* name = nameCharacter(given[i]);
        const Lean lean = name ? name->lean : Lean::neutral;
        male = male || lean == Lean::male;
        female = female || lean == Lean::female;
        if (i != fixed) {
            quality +=
                characterPenalty(tierOf(o, name, firmCharacter(given[i])), gb2312Level(given[i]));
            if (!o.company && given.size() == 2)
                quality += placePenalty(given[i], static_cast<int>(i));
        }
    }
    NameSound sound =
        nameSound(o.surname, given, o.company ? std::u16string_view(o.suffix) : u"", !o.company);
    if (fixed)
        sound.fixedInGiven = sound.givenBegin + *fixed;
    quality += soundPenalty(sound);
    if (!o.company && o.gender == Gender::any && male && female)
        quality += 2;
    return quality;
}

std::u16string pinyinOf(const Analysis& a) {
    return a.company ? namePinyin({}, a.name) : namePinyin(a.surname, a.given);
}

std::vector<CharacterMeaning> meaningsOf(const Analysis& a) {
    return meaningsOf(meaningfulPart(a.name, a.given, a.company), a.company);
}

}  // namespace muwu
