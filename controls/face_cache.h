#pragma once
// 按钮控件图片窗: the program-wide cache of button face strips, shared by every MWButton and
// created with the first one. It keeps the key list, three working strips into which a button
// draws, and three growing arrays of stored one-pixel-wide strips, one element per key. Creating
// it also measures the screen mode once.
#include <QImage>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace muwu {

// The screen mode, filled once by the picture holder.
struct DisplayMode {
    std::int16_t width = 0;
    std::int16_t height = 0;
    std::int16_t bitsPerPixel = 0;
    std::int16_t refresh = 0;
};

class ButtonPictureHolder {
  public:
    // The one holder, created (and the screen measured) at the first call.
    static ButtonPictureHolder& instance();
    [[nodiscard]] static bool loaded() noexcept;

    [[nodiscard]] const DisplayMode& displayMode() const noexcept { return display_; }
    // Tests stand in a display of fewer bits per pixel.
    void setDisplayBitsPerPixel(std::int16_t bits) noexcept { display_.bitsPerPixel = bits; }

    // The feature list: the index of the first entry equal to key, or −1.
    [[nodiscard]] int find(const std::string& key) const;
    [[nodiscard]] int count() const noexcept { return static_cast<int>(keys_.size()); }
    void append(const std::string& key);
    [[nodiscard]] const std::vector<std::string>& keys() const noexcept { return keys_; }

    // The working strips.
    QImage 静态图;
    QImage 失效图;
    QImage 按下图;

    // Restores entry n into the working strips; an entry never written changes nothing.
    void 按钮控件编号_读(int n);
    // Stores the working strips as entry n, reusing an element that exists already.
    void 按钮控件编号_写(int n);

  private:
    ButtonPictureHolder();
    static void GetDisplayMode(DisplayMode& mode);

    DisplayMode display_;
    std::vector<std::string> keys_;
    std::unordered_map<std::string, int> first_;
    // Element 0 of each array is there from the start.
    std::vector<QImage> 静态图备份{QImage()};
    std::vector<QImage> 失效图备份{QImage()};
    std::vector<QImage> 按下图备份{QImage()};
};

}  // namespace muwu
