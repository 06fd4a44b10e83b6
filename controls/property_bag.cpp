#include "controls/property_bag.h"

#include <algorithm>

namespace muwu::controls {

const PropertyValue* PropertyBag::find(std::u16string_view key) const {
    for (const auto& [k, v] : entries_)
        if (k == key)
            return &v;
    return nullptr;
}

void PropertyBag::put(std::u16string_view key, PropertyValue v) {
    for (auto& [k, old] : entries_)
        if (k == key) {
            old = std::move(v);
            return;
        }
    entries_.emplace_back(std::u16string(key), std::move(v));
}

void PropertyBag::erase(std::u16string_view key) {
    std::erase_if(entries_, [&](const auto& e) { return e.first == key; });
}

ButtonProperties readButtonProperties(const PropertyBag& bag) {
    const ButtonProperties d;
    ButtonProperties p;
    p.toolbar = bag.read(u"是工具棒", d.toolbar);
    p.faceColour = bag.read(u"按键颜色", d.faceColour);
    p.brightness = bag.read(u"按键的亮度", d.brightness);
    p.cornerSize = bag.read(u"圆角宽度", d.cornerSize);
    p.caption = bag.read(u"Caption", d.caption);
    p.captionColour = bag.read(u"标题色", d.captionColour);
    p.picturePosition = bag.read(u"图片的位置", d.picturePosition);
    p.iconMaskColour = bag.read(u"图案.BackColor", d.iconMaskColour);
    p.enabled = bag.read(u"有效", d.enabled);
    p.picture = bag.read(u"Picture", d.picture);
    return p;
}

void writeButtonProperties(PropertyBag& bag, const ButtonProperties& p) {
    const ButtonProperties d;
    bag.write(u"是工具棒", p.toolbar, d.toolbar);
    bag.write(u"按键颜色", p.faceColour, d.faceColour);
    bag.write(u"按键的亮度", p.brightness, d.brightness);
    bag.write(u"圆角宽度", p.cornerSize, d.cornerSize);
    bag.write(u"Caption", p.caption, d.caption);
    bag.write(u"标题色", p.captionColour, d.captionColour);
    bag.write(u"图片的位置", p.picturePosition, d.picturePosition);
    bag.write(u"图案.BackColor", p.iconMaskColour, d.iconMaskColour);
    bag.write(u"有效", p.enabled, d.enabled);
    bag.write(u"Picture", p.picture, d.picture);
}

}  // namespace muwu::controls
