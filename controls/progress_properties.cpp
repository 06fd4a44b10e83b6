#include "controls/progress_properties.h"

namespace muwu {

ProgressProperties readProgressProperties(const controls::PropertyBag& bag) {
    const ProgressProperties d;
    ProgressProperties p;
    p.maximum = bag.read<std::int64_t>(u"最大值", d.maximum);
    p.minimum = bag.read<std::int64_t>(u"最小值", d.minimum);
    p.value = bag.read<std::u16string>(u"值", d.value);
    p.background = bag.read<std::int64_t>(u"背景色", d.background);
    p.bar = bag.read<std::int64_t>(u"进度条色", d.bar);
    p.refresh = bag.read<bool>(u"需要刷新", d.refresh);
    return p;
}

void writeProgressProperties(controls::PropertyBag& bag, const ProgressProperties& p) {
    const ProgressProperties d;
    bag.write<std::int64_t>(u"最大值", p.maximum, d.maximum);
    bag.write<std::int64_t>(u"最小值", p.minimum, d.minimum);
    bag.write<std::u16string>(u"值", p.value, d.value);
    bag.write<std::int64_t>(u"背景色", p.background, d.background);
    bag.write<std::int64_t>(u"进度条色", p.bar, d.bar);
    bag.write<bool>(u"需要刷新", p.refresh, d.refresh);
}

}  // namespace muwu
