#include "controls/face_cache.h"

#include <QGuiApplication>
#include <QScreen>
#include <memory>

namespace muwu {

namespace {

std::unique_ptr<ButtonPictureHolder>& holder() {
    static std::unique_ptr<ButtonPictureHolder> h;
    return h;
}

QImage strip(QRgb back) {
    QImage s(1, 1, QImage::Format_RGB32);
    s.fill(back);
    return s;
}

}  // namespace

ButtonPictureHolder& ButtonPictureHolder::instance() {
    auto& h = holder();
    if (!h)
        h.reset(new ButtonPictureHolder());
    return *h;
}

bool ButtonPictureHolder::loaded() noexcept {
    return holder() != nullptr;
}

ButtonPictureHolder::ButtonPictureHolder()
    : 静态图(strip(qRgb(0, 128, 128))),
      失效图(strip(qRgb(192, 255, 255))),
      按下图(strip(qRgb(0, 128, 128))) {
    GetDisplayMode(display_);
}

void ButtonPictureHolder::GetDisplayMode(DisplayMode& mode) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QSize size = screen->size() * screen->devicePixelRatio();
    mode.width = static_cast<std::int16_t>(size.width());
    mode.height = static_cast<std::int16_t>(size.height());
    mode.bitsPerPixel = static_cast<std::int16_t>(screen->depth());
    mode.refresh = static_cast<std::int16_t>(screen->refreshRate());
}

int ButtonPictureHolder::find(const std::string& key) const {
    const auto it = first_.find(key);
    return it == first_.end() ? -1 : it->second;
}

void ButtonPictureHolder::append(const std::string& key) {
    first_.try_emplace(key, count());
    keys_.push_back(key);
}

void ButtonPictureHolder::按钮控件编号_读(int n) {
    if (n < 0 || n >= static_cast<int>(静态图备份.size()) ||
        n >= static_cast<int>(失效图备份.size()) || n >= static_cast<int>(按下图备份.size()))
        return;
    const auto i = static_cast<std::size_t>(n);
    静态图 = 静态图备份[i];
    失效图 = 失效图备份[i];
    按下图 = 按下图备份[i];
}

void ButtonPictureHolder::按钮控件编号_写(int n) {
    if (n < 0)
        return;
    const auto i = static_cast<std::size_t>(n);
    for (auto* array : {&静态图备份, &失效图备份, &按下图备份})
        if (array->size() <= i)
            array->resize(i + 1);
    静态图备份[i] = 静态图;
    失效图备份[i] = 失效图;
    按下图备份[i] = 按下图;
}

}  // namespace muwu
