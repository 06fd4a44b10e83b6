#pragma once
// The progress bar's persisted properties in the host window's property store, with their
// defaults: a value equal to its default is not stored. No Qt.
#include <cstdint>
#include <string>

#include "controls/colour.h"
#include "controls/property_bag.h"

namespace muwu {

struct ProgressProperties {
    std::int64_t maximum = 32767;                                // "最大值"
    std::int64_t minimum = 0;                                    // "最小值"
    std::u16string value = u"0";                                 // "值", the value label's caption
    controls::Colour background = controls::rgb(192, 192, 192);  // "背景色"
    controls::Colour bar = controls::rgb(255, 0, 0);             // "进度条色"
    bool refresh = false;                                        // "需要刷新"
    friend bool operator==(const ProgressProperties&, const ProgressProperties&) = default;
};

[[nodiscard]] ProgressProperties readProgressProperties(const controls::PropertyBag& bag);
void writeProgressProperties(controls::PropertyBag& bag, const ProgressProperties& p);

}  // namespace muwu
