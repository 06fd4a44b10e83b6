#include "names/char_data.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <unordered_set>
#include <utility>

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
        if (mark != std::u16string_view::npos && mark + 1 < line.size()) {
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
    bool loaded = false;
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
        f->path = folder_ / std::filesystem::path(toUtf8(name));
        f->name = std::move(name);
        files_.push_back(std::move(f));
    };
    for (int k = 1; k <= kMaxStrokes; ++k)
        add(strokeListName(k));
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
        if (changes.empty())
            return;
        for (std::size_t id = 0; id < kFileCount; ++id) {
            if (changes.everything) {
                forget(id);
                continue;
            }
            const std::string diskName = files_[id]->path.filename().string();
            for (const std::string& changed : changes.names) {
                if (changed == diskName) {
                    forget(id);
                    break;
                }
            }
        }
        return;
    }
    // Without a watch, the stamps decide: any difference in size, time or inode means reread.
    for (std::size_t id = 0; id < kFileCount; ++id) {
        if (files_[id]->loaded && stampOf(files_[id]->path) != files_[id]->stamp)
            forget(id);
    }
}

void CharacterData::load(File& f) {
    f.loaded = true;
    f.poolValid = false;
    f.text.clear();
    f.stamp = stampOf(f.path);
    const std::string keyPrefix = toUtf8(f.name) + "\n";
    auto report = [&](std::string message) {
        if (reported_.insert(keyPrefix + message).second)
            pending_.push_back({f.name, std::move(message)});
    };

    std::ifstream in(f.path, std::ios::binary);
    if (!in) {
        const int err = errno;
        if (!f.stamp.exists) {
            report("找不到数据文件" + quotedName(f.name) + "（" + f.path.string() +
                   "），按空文件处理。");
        } else {
            report("无法读取数据文件" + quotedName(f.name) + "：" + std::strerror(err) +
                   "，按空文件处理。");
        }
        return;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        report("无法读取数据文件" + quotedName(f.name) + "：读取中断，按空文件处理。");
        return;
    }
    GbkDecoded decoded = decodeGbk(bytes);
    f.text = std::move(decoded.text);
    if (decoded.firstBadOffset) {
        report("数据文件" + quotedName(f.name) + "在字节偏移 " +
               std::to_string(*decoded.firstBadOffset) + " 处有无效的 GBK 编码（共 " +
               std::to_string(decoded.badSequences) +
               " 处），这些字节不作为任何字，其余内容照常使用。");
        return;
    }
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
                if (line.text[i] == kSeparator)
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
    if (text.size() == 1 && text[0] == kSeparator)
        return {};
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
        if (p == std::u16string::npos)
            return std::u16string(text);
        if (p >= traditionalText.size())
            return std::u16string();
        return std::u16string(1, traditionalText[p]);
    }
    const TableIndex& index = tableIndex();
    if (text.size() != 1)
        return std::nullopt;
    const std::int32_t p = index.position[text[0]];
    if (p < 0)
        return std::u16string(text);
    if (static_cast<std::size_t>(p) >= index.traditional.size())
        return std::u16string();
    return std::u16string(1, index.traditional[static_cast<std::size_t>(p)]);
}

bool CharacterData::startsWithDoubleSurname(std::u16string_view name) {
    refresh();
    if (caching_ == Caching::off) {
        const std::u16string& list = file(kSurnameId).text;
        if (name.size() < 2)
            return false;
        bool found = false;
        forEachLine(list, [&](std::u16string_view line) {
            if (!found && line.size() >= 2 && line[0] == name[0] && line[1] == name[1])
                found = true;
        });
        return found;
    }
    const SurnameIndex& index = surnameIndex();
    if (name.size() < 2)
        return false;
    return index.pairs.contains((std::uint32_t{name[0]} << 16) | name[1]);
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
                if (line[i] != u' ')
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
