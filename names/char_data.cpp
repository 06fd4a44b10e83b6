#include "names/char_data.h"

#include <unordered_set>
#include <utility>

#include "platform/data_file.h"
#include "platform/gbk.h"
#include "platform/text.h"

namespace muwu {

namespace {

constexpr std::size_t kListCount = kMaxStrokes;
constexpr std::size_t kSimplifiedId = kListCount;
constexpr std::size_t kTraditionalId = kListCount + 1;
constexpr std::size_t kSurnameId = kListCount + 2;
constexpr std::size_t kFileCount = kListCount + 3;

constexpr char16_t kColon = u'：';
constexpr char16_t kMark = u'“';
// Spaces only separate the characters of a list line; they are never characters themselves, so a
// space in a name counts no strokes.
constexpr char16_t kSeparator = u' ';
// What a byte that is not GBK decodes to. It marks damage, never a character: it is in no list,
// names no attribute and is never drawn for a name.
constexpr char16_t kReplacement = u'\uFFFD';

std::string quotedName(std::u16string_view name) {
    return "“" + toUtf8(name) + "”";
}

// One list line as the lookup sees it.
struct ListLine {
    std::u16string_view text;  // the whole line
    std::size_t colon;         // position of its first "："
    bool hasAttribute;
    char16_t attribute;
};

// Calls f(line) for each line of text that holds a "："; stops when f returns true.
template <typename F>
bool forEachListLine(std::u16string_view text, F&& f) {
    bool stopped = false;
    forEachLine(text, [&](std::u16string_view line) {
        if (stopped)
            return;
        const std::size_t colon = line.find(kColon);
        if (colon == std::u16string_view::npos)
            return;
        ListLine l{line, colon, false, 0};
        const std::size_t mark = line.find(kMark);
        if (mark != std::u16string_view::npos && mark + 1 < line.size() &&
            line[mark + 1] != kReplacement) {
            l.hasAttribute = true;
            l.attribute = line[mark + 1];
        }
        stopped = f(l);
    });
    return stopped;
}

StrokeInfo infoOf(int k, const ListLine& line) {
    StrokeInfo info{k, {}};
    if (line.hasAttribute)
        info.attribute.assign(1, line.attribute);
    return info;
}

}  // namespace

std::u16string strokeListName(int k) {
    std::u16string name;
    if (k < 10)
        name += u'0';
    for (char c : std::to_string(k))
        name += static_cast<char16_t>(c);
    return name + u"画的字.txt";
}

struct CharacterData::File {
    std::u16string name;
    std::filesystem::path path;
    std::string diskName;
    bool loaded = false;
    bool viaLink = false;
    bool isList = false;
    FileStamp stamp;
    std::u16string text;
    bool poolValid = false;
    std::u16string pool;
};

struct CharacterData::StrokeIndex {
    struct Entry {
        std::uint8_t strokes = 0;
        bool hasAttribute = false;
        char16_t attribute = 0;
    };
    std::vector<Entry> byUnit = std::vector<Entry>(0x10000);
    StrokeInfo empty;  // the answer for the empty text
    std::array<std::vector<ListLine>, kListCount> lines;
};

struct CharacterData::TableIndex {
    std::vector<std::int32_t> position = std::vector<std::int32_t>(0x10000, -1);
    std::u16string_view traditional;
};

struct CharacterData::SurnameIndex {
    std::unordered_set<std::uint32_t> pairs;
};

CharacterData::CharacterData(std::filesystem::path folder, Caching caching)
    : folder_(std::move(folder)), caching_(caching) {
    files_.reserve(kFileCount);
    auto add = [&](std::u16string name) {
        auto f = std::make_unique<File>();
        f->diskName = toUtf8(name);
        f->path = folder_ / std::filesystem::path(f->diskName);
        f->name = std::move(name);
        files_.push_back(std::move(f));
    };
    for (int k = 1; k <= kMaxStrokes; ++k) {
        add(strokeListName(k));
        files_.back()->isList = true;
    }
    add(std::u16string(kSimplifiedTableName));
    add(std::u16string(kTraditionalTableName));
    add(std::u16string(kDoubleSurnameListName));
    if (caching_ == Caching::on) {
        watch_ = std::make_unique<FolderWatch>(folder_);
    }
}

CharacterData::~CharacterData() = default;

CharacterData::Batch::Batch(CharacterData& data) : data_(data) {
    if (data_.batchDepth_ == 0)
        data_.refresh();
    ++data_.batchDepth_;
}

CharacterData::Batch::~Batch() {
    --data_.batchDepth_;
}

void CharacterData::refresh() {
    if (caching_ == Caching::off || batchDepth_ > 0)
        return;
    auto forget = [&](std::size_t id) {
        ++revision_;
        files_[id]->loaded = false;
        if (id < kListCount) {
            strokeIndex_.reset();
        } else if (id == kSimplifiedId || id == kTraditionalId) {
            tableIndex_.reset();
        } else {
            surnameIndex_.reset();
        }
    };
    if (watch_ && watch_->active()) {
        const FolderWatch::Changes changes = watch_->poll();
        for (std::size_t id = 0; id < kFileCount; ++id) {
            File& f = *files_[id];
            if (changes.everything) {
                forget(id);
                continue;
            }
            bool changed = false;
            for (const std::string& name : changes.names)
                changed = changed || name == f.diskName;
            // A symbolic link can be repointed anywhere along its way without an event here; the
            // stamp of what it leads to now tells.
            if (changed || (f.loaded && f.viaLink && stampOf(f.path) != f.stamp))
                forget(id);
        }
        return;
    }
    // Without a watch, the stamps decide: any difference in size, time, device or inode means
    // reread.
    for (std::size_t id = 0; id < kFileCount; ++id) {
        if (files_[id]->loaded && stampOf(files_[id]->path) != files_[id]->stamp)
            forget(id);
    }
}

void CharacterData::load(File& f) {
    f.loaded = true;
    f.poolValid = false;
    f.text.clear();
    const std::string keyPrefix = f.diskName + "\n";
    auto report = [&](std::string message) {
        if (reported_.insert(keyPrefix + message).second)
            pending_.push_back({f.name, std::move(message)});
    };

    FileRead read = readDataFile(f.path);
    f.stamp = read.stamp;
    f.viaLink = read.viaLink;
    if (watch_ && read.stamp.exists)
        watch_->watchFile(f.diskName);
    if (read.status == FileReadStatus::missing) {
        report("找不到数据文件" + quotedName(f.name) + "（" + validUtf8(f.path.string()) +
               "），按空文件处理。");
        return;
    }
    if (read.status != FileReadStatus::ok) {
        report("数据文件" + quotedName(f.name) + read.problem() + "，按空文件处理。");
        return;
    }
    if (read.bytes.empty()) {
        report("数据文件" + quotedName(f.name) + "是空的（0 字节）。");
        return;
    }
    GbkDecoded decoded = decodeGbk(read.bytes);
    f.text = std::move(decoded.text);
    bool sound = true;
    if (decoded.firstBadOffset) {
        report("数据文件" + quotedName(f.name) + gbkDamageText(decoded) +
               "，这些字节不作为任何字，其余内容照常使用。");
        sound = false;
        if (f.isList) {
            // A heading that did not decode may have lost its attribute.
            std::size_t number = 0;
            bool named = false;
            forEachLine(f.text, [&](std::u16string_view line) {
                ++number;
                const std::size_t colon = line.find(kColon);
                if (named || colon == std::u16string_view::npos ||
                    line.substr(0, colon).find(kReplacement) == std::u16string_view::npos) {
                    return;
                }
                named = true;
                report("数据文件" + quotedName(f.name) + "第 " + std::to_string(number) +
                       " 行的标题无法读取，该行的字不带五行属性。");
            });
        }
    }
    if (!sound)
        return;
    // Sound again: a later problem with this file is news and gets reported.
    for (auto it = reported_.lower_bound(keyPrefix);
         it != reported_.end() && it->starts_with(keyPrefix);) {
        it = reported_.erase(it);
    }
}

CharacterData::File& CharacterData::file(std::size_t id) {
    File& f = *files_[id];
    if (caching_ == Caching::off || !f.loaded)
        load(f);
    return f;
}

const CharacterData::StrokeIndex& CharacterData::strokeIndex() {
    if (strokeIndex_)
        return *strokeIndex_;
    auto index = std::make_unique<StrokeIndex>();
    bool haveEmpty = false;
    for (std::size_t id = 0; id < kListCount; ++id) {
        const int k = static_cast<int>(id) + 1;
        auto& lines = index->lines[id];
        forEachListLine(file(id).text, [&](const ListLine& line) {
            lines.push_back(line);
            if (!haveEmpty) {
                index->empty = infoOf(k, line);
                haveEmpty = true;
            }
            for (std::size_t i = line.colon + 1; i < line.text.size(); ++i) {
                if (line.text[i] == kSeparator || line.text[i] == kReplacement)
                    continue;
                auto& e = index->byUnit[line.text[i]];
                if (e.strokes == 0)
                    e = {static_cast<std::uint8_t>(k), line.hasAttribute, line.attribute};
            }
            return false;
        });
    }
    strokeIndex_ = std::move(index);
    return *strokeIndex_;
}

const CharacterData::TableIndex& CharacterData::tableIndex() {
    if (tableIndex_)
        return *tableIndex_;
    auto index = std::make_unique<TableIndex>();
    const std::u16string& simplified = file(kSimplifiedId).text;
    index->traditional = file(kTraditionalId).text;
    for (std::size_t p = simplified.size(); p-- > 0;) {
        index->position[simplified[p]] = static_cast<std::int32_t>(p);  // the first occurrence wins
    }
    tableIndex_ = std::move(index);
    return *tableIndex_;
}

const CharacterData::SurnameIndex& CharacterData::surnameIndex() {
    if (surnameIndex_)
        return *surnameIndex_;
    auto index = std::make_unique<SurnameIndex>();
    forEachLine(file(kSurnameId).text, [&](std::u16string_view line) {
        if (line.size() >= 2)
            index->pairs.insert((std::uint32_t{line[0]} << 16) | line[1]);
    });
    surnameIndex_ = std::move(index);
    return *surnameIndex_;
}

StrokeInfo CharacterData::strokes(std::u16string_view text) {
    refresh();
    if ((text.size() == 1 && text[0] == kSeparator) ||
        text.find(kReplacement) != std::u16string_view::npos) {
        return {};
    }
    if (caching_ == Caching::off) {
        // Reads the lists in order and stops at the first match, as the data format intends.
        for (std::size_t id = 0; id < kListCount; ++id) {
            StrokeInfo found;
            const int k = static_cast<int>(id) + 1;
            if (forEachListLine(file(id).text, [&](const ListLine& line) {
                    if (line.text.find(text, line.colon + 1) == std::u16string_view::npos)
                        return false;
                    found = infoOf(k, line);
                    return true;
                })) {
                return found;
            }
        }
        return {};
    }
    const StrokeIndex& index = strokeIndex();
    if (text.empty())
        return index.empty;
    if (text.size() == 1) {
        const auto& e = index.byUnit[text[0]];
        StrokeInfo info{e.strokes, {}};
        if (e.strokes != 0 && e.hasAttribute)
            info.attribute.assign(1, e.attribute);
        return info;
    }
    for (std::size_t id = 0; id < kListCount; ++id) {
        for (const ListLine& line : index.lines[id]) {
            if (line.text.find(text, line.colon + 1) != std::u16string_view::npos) {
                return infoOf(static_cast<int>(id) + 1, line);
            }
        }
    }
    return {};
}

std::optional<std::u16string> CharacterData::traditional(std::u16string_view text) {
    refresh();
    // Both tables are read before the input is looked at, so their problems surface either way.
    if (caching_ == Caching::off) {
        const std::u16string simplified = file(kSimplifiedId).text;
        const std::u16string traditionalText = file(kTraditionalId).text;
        if (text.size() != 1)
            return std::nullopt;
        const std::size_t p = simplified.find(text[0]);
        if (p == std::u16string::npos || text[0] == kReplacement)
            return std::u16string(text);
        if (p >= traditionalText.size())
            return std::u16string();
        if (traditionalText[p] == kReplacement)
            return std::u16string(text);
        return std::u16string(1, traditionalText[p]);
    }
    const TableIndex& index = tableIndex();
    if (text.size() != 1)
        return std::nullopt;
    const std::int32_t p = index.position[text[0]];
    if (p < 0 || text[0] == kReplacement)
        return std::u16string(text);
    if (static_cast<std::size_t>(p) >= index.traditional.size())
        return std::u16string();
    // A damaged traditional form is no form: the character stands for itself.
    const char16_t form = index.traditional[static_cast<std::size_t>(p)];
    if (form == kReplacement)
        return std::u16string(text);
    return std::u16string(1, form);
}

bool CharacterData::startsWithDoubleSurname(std::u16string_view name) {
    refresh();
    if (caching_ == Caching::off) {
        const std::u16string& list = file(kSurnameId).text;
        if (name.size() < 2 || name[0] == kReplacement || name[1] == kReplacement)
            return false;
        bool found = false;
        forEachLine(list, [&](std::u16string_view line) {
            if (!found && line.size() >= 2 && line[0] == name[0] && line[1] == name[1])
                found = true;
        });
        return found;
    }
    const SurnameIndex& index = surnameIndex();
    if (name.size() < 2 || name[0] == kReplacement || name[1] == kReplacement)
        return false;
    return index.pairs.contains((std::uint32_t{name[0]} << 16) | name[1]);
}

std::uint64_t CharacterData::revision() {
    if (caching_ == Caching::off)
        return ++revision_;
    refresh();
    return revision_;
}

std::u16string CharacterData::strokePool(int k) {
    refresh();
    if (k < 1 || k > kMaxStrokes)
        return {};
    File& f = file(static_cast<std::size_t>(k - 1));
    if (!f.poolValid) {
        f.pool.clear();
        forEachLine(f.text, [&](std::u16string_view line) {
            const std::size_t colon = line.find(kColon);
            if (colon == std::u16string_view::npos)
                return;
            for (std::size_t i = colon + 1; i < line.size(); ++i) {
                if (line[i] != kSeparator && line[i] != kReplacement)
                    f.pool.push_back(line[i]);
            }
        });
        f.poolValid = true;
    }
    return f.pool;
}

std::vector<DataProblem> CharacterData::takeProblems() {
    return std::exchange(pending_, {});
}

}  // namespace muwu
