#pragma once
// The host window's property store: a small ordered key → value bag, and the button's persisted
// properties read from and written to it. A value equal to its default is not written. No Qt.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "controls/colour.h"

namespace muwu::controls {

// A picture is kept as its encoded bytes; empty means none.
struct PictureBytes {
    std::string bytes;
    friend bool operator==(const PictureBytes&, const PictureBytes&) = default;
};

using PropertyValue = std::variant<bool, std::int64_t, std::u16string, PictureBytes>;

class PropertyBag {
  public:
    // The stored value, or the default when the key is absent or holds another kind of value.
    template <class T>
    [[nodiscard]] T read(std::u16string_view key, const T& fallback) const {
        if (const PropertyValue* v = find(key))
            if (const T* t = std::get_if<T>(v))
                return *t;
        return fallback;
    }
    // Stores the value only when it differs from the default; an equal value removes the key.
    template <class T>
    void write(std::u16string_view key, const T& value, const T& fallback) {
        if (value == fallback)
            erase(key);
        else
            put(key, PropertyValue{value});
    }

    [[nodiscard]] const std::vector<std::pair<std::u16string, PropertyValue>>& entries()
        const noexcept {
        return entries_;
    }
    [[nodiscard]] bool contains(std::u16string_view key) const { return find(key) != nullptr; }

  private:
    [[nodiscard]] const PropertyValue* find(std::u16string_view key) const;
    void put(std::u16string_view key, PropertyValue v);
    void erase(std::u16string_view key);

    std::vector<std::pair<std::u16string, PropertyValue>> entries_;
};

// The button's persisted properties, with their defaults.
struct ButtonProperties {
    bool toolbar = false;                    // "是工具棒"
    Colour faceColour = kDefaultFaceColour;  // "按键颜色"
    std::int64_t brightness = 18;            // "按键的亮度"
    std::int64_t cornerSize = 5;             // "圆角宽度"
    std::u16string caption;                  // "Caption"
    Colour captionColour = 0;                // "标题色"
    std::int64_t picturePosition = 0;        // "图片的位置"
    Colour iconMaskColour = rgb(0, 0, 254);  // "图案.BackColor"
    bool enabled = true;                     // "有效"
    PictureBytes picture;                    // "Picture"
    friend bool operator==(const ButtonProperties&, const ButtonProperties&) = default;
};

[[nodiscard]] ButtonProperties readButtonProperties(const PropertyBag& bag);
// Writes in the order the store has always had: 是工具棒 first, Picture last.
void writeButtonProperties(PropertyBag& bag, const ButtonProperties& p);

}  // namespace muwu::controls
