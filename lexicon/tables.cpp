#include "lexicon/tables.h"

#include <algorithm>
#include <string_view>

#include "platform/text.h"

namespace muwu::resources {
extern const char kNameChars[];
extern const std::size_t kNameCharsSize;
extern const char kFirmChars[];
extern const std::size_t kFirmCharsSize;
extern const char kIllSounds[];
extern const std::size_t kIllSoundsSize;
extern const char kSurnameReadings[];
extern const std::size_t kSurnameReadingsSize;
extern const char kReadings[];
extern const std::size_t kReadingsSize;
extern const char kNamePairs[];
extern const std::size_t kNamePairsSize;
}  // namespace muwu::resources

namespace muwu::lexicon {

namespace {

// The entry lines of a table: comment lines ('#') and empty lines left out, split at tabs.
template <typename Callback>
void forEachRow(const char* bytes, std::size_t size, Callback&& callback) {
    const std::u16string text = fromUtf8(std::string_view(bytes, size));
    forEachLine(text, [&](std::u16string_view line) {
        if (line.empty() || line.front() == u'#')
            return;
        std::vector<std::u16string_view> fields;
        std::size_t start = 0;
        for (;;) {
            const std::size_t tab = line.find(u'\t', start);
            fields.push_back(line.substr(start, tab == line.npos ? line.npos : tab - start));
            if (tab == line.npos)
                break;
            start = tab + 1;
        }
        callback(fields);
    });
}

std::vector<std::u16string_view> words(std::u16string_view text) {
    std::vector<std::u16string_view> out;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(u' ', start);
        if (end == text.npos)
            end = text.size();
        if (end > start)
            out.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

Lean leanOf(std::u16string_view text) {
    if (text == u"男")
        return Lean::male;
    if (text == u"女")
        return Lean::female;
    return Lean::neutral;
}

int tierOf(std::u16string_view text) {
    return text == u"1" ? kTopTier : kLastTier;
}

// A character field holds one character of the basic plane; anything else is no entry.
bool oneCharacter(std::u16string_view field) {
    return field.size() == 1 && !isSurrogate(field[0]);
}

std::string_view plainInitial(std::string_view s) {
    if (s.starts_with("zh") || s.starts_with("ch") || s.starts_with("sh"))
        return s.substr(0, 2);
    if (!s.empty() && std::string_view("bpmfdtnlgkhjqxrzcsyw").find(s[0]) != s.npos)
        return s.substr(0, 1);
    return {};
}

// The rhyme without a medial: after j, q, x, y a u is ü; an i, u or ü before another vowel is
// the medial (xiang, huai, yue); the i of zhi, chi, shi, ri, zi, ci, si is a sound of its own.
std::string plainRhyme(std::string_view s) {
    const std::string_view initial = plainInitial(s);
    std::string rest(s.substr(initial.size()));
    if (!rest.empty() && rest[0] == 'u' && !initial.empty() &&
        std::string_view("jqxy").find(initial[0]) != std::string_view::npos) {
        rest[0] = 'v';
    }
    const bool sibilant = initial == "zh" || initial == "ch" || initial == "sh" || initial == "r" ||
                          initial == "z" || initial == "c" || initial == "s";
    if (rest == "i" && sibilant)
        return "-i";
    if (rest.size() > 1 && std::string_view("iuv").find(rest[0]) != std::string_view::npos &&
        std::string_view("aeo").find(rest[1]) != std::string_view::npos) {
        rest.erase(0, 1);
    }
    return rest;
}

// Numbers for initials and rhymes, in the order met.
std::uint16_t soundNumber(std::unordered_map<std::string, std::uint16_t>& numbers,
                          const std::string& sound) {
    if (sound.empty())
        return 0;
    const auto [it, added] =
        numbers.try_emplace(sound, static_cast<std::uint16_t>(numbers.size() + 1));
    return it->second;
}

class Builder {
  public:
    explicit Builder(Tables& t) : t_(t) {}

    // The reading of a table's field, its syllable interned and its written form kept.
    Reading reading(std::u16string_view marked) {
        const std::optional<Reading> parsed = parseMarked(marked);
        if (!parsed)
            return {};
        const std::size_t at = static_cast<std::size_t>(parsed->syllable) << 3 | parsed->tone;
        if (t_.marked.size() <= at)
            t_.marked.resize((static_cast<std::size_t>(parsed->syllable) + 1) << 3);
        if (t_.marked[at].empty())
            t_.marked[at] = marked;
        return *parsed;
    }

    std::optional<Reading> parseMarked(std::u16string_view marked) {
        const std::optional<std::pair<std::string, int>> p = splitTone(marked);
        if (!p)
            return std::nullopt;
        return Reading{intern(p->first), static_cast<std::uint8_t>(p->second)};
    }

    SyllableId intern(const std::string& plain) {
        const auto it = t_.syllableIds.find(plain);
        if (it != t_.syllableIds.end())
            return it->second;
        const auto id = static_cast<SyllableId>(t_.syllables.size());
        t_.syllables.push_back(plain);
        t_.syllableIds.emplace(plain, id);
        t_.initials.push_back(soundNumber(initialNumbers_, std::string(plainInitial(plain))));
        t_.rhymes.push_back(soundNumber(rhymeNumbers_, plainRhyme(plain)));
        return id;
    }

    // Lower-case pinyin with at most one tone mark as (ASCII syllable, tone 1–5).
    static std::optional<std::pair<std::string, int>> splitTone(std::u16string_view marked) {
        struct Toned {
            char16_t c;
            char base;
            int tone;
        };
        static constexpr Toned kToned[] = {
            {u'ā', 'a', 1}, {u'á', 'a', 2}, {u'ǎ', 'a', 3}, {u'à', 'a', 4}, {u'ē', 'e', 1},
            {u'é', 'e', 2}, {u'ě', 'e', 3}, {u'è', 'e', 4}, {u'ī', 'i', 1}, {u'í', 'i', 2},
            {u'ǐ', 'i', 3}, {u'ì', 'i', 4}, {u'ō', 'o', 1}, {u'ó', 'o', 2}, {u'ǒ', 'o', 3},
            {u'ò', 'o', 4}, {u'ū', 'u', 1}, {u'ú', 'u', 2}, {u'ǔ', 'u', 3}, {u'ù', 'u', 4},
            {u'ǖ', 'v', 1}, {u'ǘ', 'v', 2}, {u'ǚ', 'v', 3}, {u'ǜ', 'v', 4}, {u'ü', 'v', 0},
            {u'ḿ', 'm', 2}, {u'ń', 'n', 2}, {u'ň', 'n', 3}, {u'ǹ', 'n', 4}, {u'ê', 'e', 0},
            {u'ế', 'e', 2}, {u'ề', 'e', 4},
        };
        std::string plain;
        int tone = 0;
        auto setTone = [&](int t) {
            if (t == 0)
                return true;
            if (tone != 0)
                return false;
            tone = t;
            return true;
        };
        for (const char16_t c : marked) {
            if (c >= u'a' && c <= u'z') {
                plain += static_cast<char>(c);
                continue;
            }
            int mark = 0;
            switch (c) {
                case u'\u0304':
                    mark = 1;
                    break;
                case u'\u0301':
                    mark = 2;
                    break;
                case u'\u030C':
                    mark = 3;
                    break;
                case u'\u0300':
                    mark = 4;
                    break;
                case u'\u0308':  // a combining diaeresis makes the u before it ü
                    if (plain.empty() || plain.back() != 'u')
                        return std::nullopt;
                    plain.back() = 'v';
                    continue;
                default:
                    break;
            }
            if (mark != 0) {
                if (plain.empty() || !setTone(mark))
                    return std::nullopt;
                continue;
            }
            bool found = false;
            for (const Toned& t : kToned) {
                if (t.c == c) {
                    plain += t.base;
                    if (!setTone(t.tone))
                        return std::nullopt;
                    found = true;
                    break;
                }
            }
            if (!found)
                return std::nullopt;
        }
        if (plain.empty())
            return std::nullopt;
        return std::pair{plain, tone == 0 ? 5 : tone};
    }

  private:
    Tables& t_;
    std::unordered_map<std::string, std::uint16_t> initialNumbers_, rhymeNumbers_;
};

Tables build() {
    Tables t;
    Builder b(t);
    using Fields = const std::vector<std::u16string_view>&;
    forEachRow(resources::kReadings, resources::kReadingsSize, [&](Fields f) {
        if (f.size() != 2)
            return;
        const Reading r = b.reading(f[0]);
        for (const char16_t c : f[1]) {
            if (!isSurrogate(c))
                t.unihan[c] = r;
        }
    });
    forEachRow(resources::kNameChars, resources::kNameCharsSize, [&](Fields f) {
        if (f.size() != 5 || !oneCharacter(f[0]) || t.nameIndex[f[0][0]] != 0)
            return;
        t.names.push_back(
            {f[0][0], b.reading(f[1]), tierOf(f[2]), leanOf(f[3]), std::u16string(f[4])});
        t.nameIndex[f[0][0]] = static_cast<std::uint16_t>(t.names.size());
    });
    forEachRow(resources::kFirmChars, resources::kFirmCharsSize, [&](Fields f) {
        if (f.size() != 4 || !oneCharacter(f[0]) || t.firmIndex[f[0][0]] != 0)
            return;
        t.firms.push_back({f[0][0], b.reading(f[1]), tierOf(f[2]), std::u16string(f[3])});
        t.firmIndex[f[0][0]] = static_cast<std::uint16_t>(t.firms.size());
    });
    forEachRow(resources::kSurnameReadings, resources::kSurnameReadingsSize, [&](Fields f) {
        if (f.size() != 2)
            return;
        std::vector<Reading> readings;
        for (const std::u16string_view w : words(f[1]))
            readings.push_back(b.reading(w));
        const std::u16string_view s = f[0];
        if (readings.size() != s.size() || std::any_of(s.begin(), s.end(), isSurrogate))
            return;
        if (s.size() == 1)
            t.singleSurnames[s[0]] = readings[0];
        if (s.size() == 2)
            t.doubleSurnames[static_cast<std::uint32_t>(s[0]) << 16 | s[1]] = {readings[0],
                                                                               readings[1]};
    });
    forEachRow(resources::kIllSounds, resources::kIllSoundsSize, [&](Fields f) {
        if (f.size() != 2)
            return;
        IllWord w{std::u16string(f[0]), {}};
        for (const std::u16string_view s : words(f[1]))
            w.sounds.push_back(b.intern(toUtf8(s)));
        if (w.sounds.size() == w.word.size() && w.sounds.size() >= 2)
            t.illWords.push_back(std::move(w));
    });
    forEachRow(resources::kNamePairs, resources::kNamePairsSize, [&](Fields f) {
        if (f.size() != 2 || f[0].size() != 2 || isSurrogate(f[0][0]) || isSurrogate(f[0][1]))
            return;
        t.pairs.push_back({f[0][0], f[0][1], leanOf(f[1])});
    });
    std::sort(t.pairs.begin(), t.pairs.end(), [](const NamePair& x, const NamePair& y) {
        return std::pair(x.first, x.second) < std::pair(y.first, y.second);
    });
    t.pairs.erase(std::unique(t.pairs.begin(), t.pairs.end(),
                              [](const NamePair& x, const NamePair& y) {
                                  return x.first == y.first && x.second == y.second;
                              }),
                  t.pairs.end());
    for (const NamePair& p : t.pairs) {
        ++t.pairPlaces[p.first][0];
        ++t.pairPlaces[p.second][1];
    }
    t.illWordsByFirst.resize(t.syllables.size());
    for (std::size_t i = 0; i < t.illWords.size(); ++i)
        t.illWordsByFirst[t.illWords[i].sounds.front()].push_back(i);
    return t;
}

}  // namespace

SyllableId Tables::find(const std::string& plain) const {
    const auto it = syllableIds.find(plain);
    return it == syllableIds.end() ? kNoSyllable : it->second;
}

const Tables& tables() {
    static const Tables t = build();
    return t;
}

}  // namespace muwu::lexicon

namespace muwu {

std::optional<Reading> parseReading(std::u16string_view marked) {
    const auto p = lexicon::Builder::splitTone(marked);
    if (!p)
        return std::nullopt;
    const SyllableId id = lexicon::tables().find(p->first);
    if (id == kNoSyllable)
        return std::nullopt;
    return Reading{id, static_cast<std::uint8_t>(p->second)};
}

}  // namespace muwu
