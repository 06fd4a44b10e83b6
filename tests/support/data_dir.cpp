#include "tests/support/data_dir.h"

#include <unistd.h>

#include <fstream>
#include <random>
#include <stdexcept>

#include "names/char_data.h"
#include "platform/data_folder.h"
#include "platform/gbk.h"
#include "platform/text.h"

namespace muwu::test {

DataDir::DataDir() {
    std::random_device rd;
    const auto base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        auto candidate =
            base / ("muwu-test-" + std::to_string(::getpid()) + "-" + std::to_string(rd()));
        if (std::filesystem::create_directory(candidate)) {
            path_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary data folder");
}

DataDir::~DataDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void DataDir::write(std::u16string_view name, std::u16string_view text) const {
    writeBytes(name, encodeGbk(text).bytes);
}

void DataDir::writeBytes(std::u16string_view name, std::string_view bytes) const {
    std::ofstream out(path_ / std::filesystem::path(toUtf8(name)),
                      std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void DataDir::remove(std::u16string_view name) const {
    std::filesystem::remove(path_ / std::filesystem::path(toUtf8(name)));
}

void DataDir::writeList(int k, std::u16string_view body) const {
    write(strokeListName(k), body);
}

void DataDir::writeSample() const {
    // Counts as name numerology gives them; enough for the grid, score and surname examples.
    for (int k = 1; k <= kMaxStrokes; ++k)
        writeList(k, u"标题行\r\n");
    writeList(2, u"2画的字\r\n\r\n五行属“火”：丁 二\r\n");
    writeList(3, u"3画的字\r\n\r\n五行属“金”：三\r\n五行属“水”：于\r\n");
    writeList(4, u"4画的字\r\n\r\n五行属“土”：王\r\n五行属“水”：文\r\n");
    writeList(5, u"5画的字\r\n\r\n五行属“火”：田\r\n五行属“土”：丘\r\n");
    writeList(6, u"6画的字\r\n\r\n五行属“木”：朱\r\n");
    writeList(7, u"7画的字\r\n\r\n五行属“木”：李\r\n五行属“金”：吕\r\n");
    writeList(8, u"8画的字\r\n\r\n五行属“火”：明\r\n五行属“木”：林\r\n");
    writeList(9, u"9画的字\r\n\r\n五行属“木”：思\r\n");
    writeList(10, u"10画的字\r\n\r\n五行属“水”：马\r\n五行属“金”：孙\r\n");
    writeList(11, u"11画的字\r\n\r\n五行属“火”：张 張\r\n五行属“土”：梁\r\n");
    writeList(12, u"12画的字\r\n\r\n五行属“土”：阳\r\n");
    writeList(14, u"14画的字\r\n\r\n五行属“木”：华\r\n");
    writeList(15, u"15画的字\r\n\r\n五行属“火”：刘 劉\r\n五行属“土”：欧\r\n");
    writeList(16, u"16画的字\r\n\r\n五行属“土”：诸\r\n");
    writeList(17, u"17画的字\r\n\r\n五行属“火”：阳\r\n");  // listed twice: the lower count wins
    writeList(18, u"18画的字\r\n\r\n五行属“木”：葛\r\n");
    write(kSimplifiedTableName, u"张刘马阳欧诸\r\n");
    write(kTraditionalTableName, u"張劉馬陽歐諸\r\n");
    write(kDoubleSurnameListName, u"欧阳\r\n诸葛\r\n司马\r\n");
}

std::filesystem::path shippedData() {
    return findDataFolder(programFolder());
}

}  // namespace muwu::test
