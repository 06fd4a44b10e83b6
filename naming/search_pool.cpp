#include "naming/search_pool.h"

#include <algorithm>
#include <set>

#include "platform/gbk.h"
#include "platform/text.h"

namespace muwu {

namespace {

int levelOfBytes(unsigned char b1, unsigned char b2) {
    if (b2 >= 0xA1 && b2 <= 0xFE) {
        if (b1 >= 0xB0 && b1 <= 0xD7)
            return 1;
        if (b1 >= 0xD8 && b1 <= 0xF7)
            return 2;
    }
    return 3;
}

// Levels of many characters with one conversion: every listed character is a two-byte GBK
// character, and one GBK cannot hold becomes a one-byte "?".
std::vector<int> levelsOf(std::u16string_view text) {
    const std::string bytes = encodeGbk(text).bytes;
    std::vector<int> levels;
    levels.reserve(text.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const auto b1 = static_cast<unsigned char>(bytes[i]);
        if (b1 < 0x80 || i + 1 >= bytes.size()) {
            levels.push_back(kCommonnessLevels);
            ++i;
        } else {
            levels.push_back(levelOfBytes(b1, static_cast<unsigned char>(bytes[i + 1])));
            i += 2;
        }
    }
    levels.resize(text.size(), kCommonnessLevels);
    return levels;
}

}  // namespace

int gb2312Level(char16_t c) {
    if (isSurrogate(c))
        return kCommonnessLevels;
    return levelsOf(std::u16string_view(&c, 1)).front();
}

std::vector<PoolCharacter> searchPool(CharacterData& data, PoolKind kind) {
    CharacterData::Batch batch(data);
    std::set<char16_t> seen;
    std::u16string chars;
    for (int k = 1; k <= kMaxStrokes; ++k) {
        for (const char16_t c : data.strokePool(k)) {
            // Surrogates never stand for a character alone; a listed space counts no strokes.
            if (isSurrogate(c) || c < 0x20 || !seen.insert(c).second)
                continue;
            chars.push_back(c);
        }
    }
    const std::vector<int> levels = levelsOf(chars);
    std::vector<PoolCharacter> pool;
    pool.reserve(chars.size());
    for (std::size_t i = 0; i < chars.size(); ++i) {
        const NameCharacter* name = nameCharacter(chars[i]);
        const FirmCharacter* firm = firmCharacter(chars[i]);
        if (kind == PoolKind::tables && !name && !firm)
            continue;
        StrokeInfo info = data.strokes(std::u16string_view(&chars[i], 1));
        if (info.strokes == 0)
            continue;
        pool.push_back({chars[i], info.strokes, std::move(info.attribute), levels[i],
                        readingOf(chars[i]), name, firm, kind == PoolKind::allListed});
    }
    std::sort(pool.begin(), pool.end(), [](const PoolCharacter& a, const PoolCharacter& b) {
        return a.commonness != b.commonness ? a.commonness < b.commonness : a.c < b.c;
    });
    return pool;
}

}  // namespace muwu
