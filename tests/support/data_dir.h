#pragma once
// A throw-away data folder for tests, with files written in GBK from UTF-16 text.
#include <filesystem>
#include <string>
#include <string_view>

namespace muwu::test {

class DataDir {
  public:
    DataDir();
    ~DataDir();
    DataDir(const DataDir&) = delete;
    DataDir& operator=(const DataDir&) = delete;

    [[nodiscard]] const std::filesystem::path& path() const noexcept { return path_; }

    // Writes text as GBK, replacing the file in place.
    void write(std::u16string_view name, std::u16string_view text) const;
    void writeBytes(std::u16string_view name, std::string_view bytes) const;
    void remove(std::u16string_view name) const;

    // The stroke list for k strokes with one list line per (attribute, characters) pair.
    void writeList(int k, std::u16string_view body) const;

    // A small consistent data set: a few surnames and given-name characters at known counts.
    void writeSample() const;

  private:
    std::filesystem::path path_;
};

// The real data shipped with the program (the build copies it next to the test binaries).
[[nodiscard]] std::filesystem::path shippedData();

}  // namespace muwu::test
