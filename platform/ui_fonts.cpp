#include "platform/ui_fonts.h"

#include <QFontDatabase>

namespace muwu {

const QStringList& songTiCandidates() {
    static const QStringList candidates = {
        QStringLiteral("SimSun"),
        QStringLiteral("宋体"),
        QStringLiteral("NSimSun"),
        QStringLiteral("Noto Serif CJK SC"),
        QStringLiteral("Source Han Serif SC"),
        QStringLiteral("Source Han Serif CN"),
        QStringLiteral("AR PL UMing CN"),
        QStringLiteral("AR PL SungtiL GB"),
        QStringLiteral("Noto Sans CJK SC"),
        QStringLiteral("Source Han Sans SC"),
        QStringLiteral("WenQuanYi Zen Hei"),
        QStringLiteral("WenQuanYi Micro Hei"),
    };
    return candidates;
}

QString pickSongTiFamily(const QStringList& installed) {
    for (const QString& candidate : songTiCandidates()) {
        for (const QString& family : installed) {
            if (family.compare(candidate, Qt::CaseInsensitive) == 0)
                return family;
        }
    }
    return {};
}

QFont songTi(double pointSize, bool bold) {
    static const QString family = pickSongTiFamily(QFontDatabase::families());
    QFont font;
    if (!family.isEmpty()) {
        // The rest of the list still serves characters the chosen face lacks.
        QStringList families = songTiCandidates();
        families.prepend(family);
        font.setFamilies(families);
    }
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

}  // namespace muwu
