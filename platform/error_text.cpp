#include "platform/error_text.h"

#include <locale.h>

#include <cstring>

namespace muwu {

namespace {

// Opened once and never freed: the locale is needed until the program ends.
locale_t chineseMessages() {
    static const locale_t locale = [] {
        for (const char* name : {"zh_CN.UTF-8", "zh_CN.utf8"}) {
            if (locale_t l = newlocale(LC_MESSAGES_MASK | LC_CTYPE_MASK, name, locale_t{}))
                return l;
        }
        return locale_t{};
    }();
    return locale;
}

}  // namespace

std::string systemErrorText(int error) {
    if (const locale_t zh = chineseMessages())
        return strerror_l(error, zh);
    if (const char* name = strerrorname_np(error))
        return std::string("系统错误 ") + name;
    return "系统错误 " + std::to_string(error);
}

}  // namespace muwu
