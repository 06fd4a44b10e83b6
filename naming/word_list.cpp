#include "naming/word_list.h"

#include <algorithm>

#include "platform/data_file.h"
#include "platform/gbk.h"
#include "platform/text.h"

namespace muwu {

namespace {

// A character that cannot stand in a name: white space, a control, or the mark of a byte that
// was not GBK.
bool unusable(char16_t c) {
    return c <= u' ' || c == u'\x7F' || c == u'\u3000' || c == u'\uFFFD';
}

}  // namespace

WordList::WordList(std::u16string text) : text_(std::move(text)) {
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < text_.size(); ++i) {
        const char16_t c = text_[i];
        if (c == u'\r') {
            const std::u16string_view line(text_.data() + lineStart, i - lineStart);
            if (line.size() == kWordLength && std::none_of(line.begin(), line.end(), unusable))
                ends_.push_back(i);
        }
        if (c == u'\r' || c == u'\n')
            lineStart = i + 1;
    }
}

std::u16string_view WordList::draw(double r) const noexcept {
    if (ends_.empty())
        return {};
    // start counts from 1; the same position counted from 0 is start - 1.
    const auto start = static_cast<std::size_t>(static_cast<double>(text_.size()) * r);
    auto it = std::lower_bound(ends_.begin(), ends_.end(), start);
    if (it == ends_.end())
        it = ends_.begin();
    return std::u16string_view(text_).substr(*it - kWordLength, kWordLength);
}

WordListLoad loadWordList(const std::filesystem::path& file) {
    WordListLoad load;
    const FileRead read = readDataFile(file);
    if (read.status == FileReadStatus::missing) {
        load.status = WordListStatus::missing;
        return load;
    }
    if (read.status != FileReadStatus::ok) {
        load.status = WordListStatus::unreadable;
        load.detail = read.problem();
        return load;
    }
    GbkDecoded decoded = decodeGbk(read.bytes);
    if (decoded.firstBadOffset) {
        load.damage = "词库“" + toUtf8(kWordListName) + "”" + gbkDamageText(decoded) +
                      "，含有这些字节的词不用。";
    }
    load.words = WordList(std::move(decoded.text));
    if (load.words.empty())
        load.status = WordListStatus::noWords;
    return load;
}

std::u16string wordListProblem(const WordListLoad& load) {
    const std::u16string name = u"词库“" + std::u16string(kWordListName) + u"”";
    const std::u16string_view consequence = u"，不能按词义取字；按笔画取字照常可用。";
    switch (load.status) {
        case WordListStatus::ok:
            return {};
        case WordListStatus::missing:
            return u"找不到" + name + std::u16string(consequence);
        case WordListStatus::unreadable:
            return u"无法读取" + name + u"（" + fromUtf8(load.detail) + u"）" +
                   std::u16string(consequence);
        case WordListStatus::noWords:
            return name + u"中没有以回车结尾的四字词" + std::u16string(consequence);
    }
    return {};
}

}  // namespace muwu
