// Draws the cover picture (550 × 300) and the program's icon (256 × 256) into a folder, and the
// icon again at 48, 64 and 128 pixels and as SVG into its icons/ folder:
//   QT_QPA_PLATFORM=offscreen draw_cover resources/
// The pictures are committed; run this again only to change them. It needs the serif CJK face of
// fonts-noto-cjk.
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <vector>

namespace {

constexpr double kPi = std::numbers::pi;
const QString kSerif = QStringLiteral("Noto Serif CJK SC");

// A fixed pseudo-random sequence, so every run draws the same strokes.
class Wobble {
  public:
    explicit Wobble(std::uint32_t seed) : state_(seed) {}
    double next() {
        state_ = state_ * 1664525u + 1013904223u;
        return double(state_ >> 8) / double(1u << 24);
    }

  private:
    std::uint32_t state_;
};

// Noise that changes smoothly along a stroke: random knots, eased between.
std::vector<double> smoothNoise(int steps, int knotEvery, Wobble& w) {
    std::vector<double> knots;
    for (int i = 0; i <= steps / knotEvery + 1; ++i)
        knots.push_back(w.next());
    std::vector<double> out;
    for (int i = 0; i <= steps; ++i) {
        const int k = i / knotEvery;
        const double f = double(i % knotEvery) / knotEvery;
        const double ease = (1 - std::cos(f * kPi)) / 2;
        out.push_back(knots[std::size_t(k)] * (1 - ease) + knots[std::size_t(k) + 1] * ease);
    }
    return out;
}

// A brush stroke along a quadratic curve: pressed in quickly, a long body, a dry tapering end.
QPainterPath brushStroke(QPointF from, QPointF control, QPointF to, double width, Wobble& w) {
    constexpr int kSteps = 80;
    const std::vector<double> upperNoise = smoothNoise(kSteps, 8, w);
    const std::vector<double> lowerNoise = smoothNoise(kSteps, 8, w);
    std::vector<QPointF> upper, lower;
    for (int i = 0; i <= kSteps; ++i) {
        const double t = double(i) / kSteps;
        const QPointF p = (1 - t) * (1 - t) * from + 2 * (1 - t) * t * control + t * t * to;
        const QPointF d = 2 * (1 - t) * (control - from) + 2 * t * (to - control);
        const double len = std::hypot(d.x(), d.y());
        const QPointF normal(-d.y() / len, d.x() / len);
        const double pressure = std::pow(std::sin(kPi * std::pow(t, 0.7)), 0.45);
        const double half = width / 2 * pressure;
        upper.push_back(p + normal * half * (0.8 + 0.4 * upperNoise[std::size_t(i)]));
        lower.push_back(p - normal * half * (0.8 + 0.4 * lowerNoise[std::size_t(i)]));
    }
    QPainterPath path(upper.front());
    for (const QPointF& p : upper)
        path.lineTo(p);
    for (auto it = lower.rbegin(); it != lower.rend(); ++it)
        path.lineTo(*it);
    path.closeSubpath();
    return path;
}

// A parasol-tree leaf: five pointed lobes spread like a hand over a heart-shaped base. The stem
// meets the blade at the origin; the middle lobe points up, radius 1.
struct Lobe {
    double angle;
    double length;
};
constexpr Lobe kLobes[] = {{-1.80, 0.52}, {-0.92, 0.84}, {0.0, 1.0}, {0.92, 0.84}, {1.80, 0.52}};

double leafRadius(double phi) {
    double r = 0.0;
    for (const Lobe& lobe : kLobes) {
        const double x = std::abs(phi - lobe.angle) / 0.78;
        if (x < 1)
            r = std::max(r, lobe.length * std::pow(1 - x, 0.75));
    }
    // The heart-shaped base: round shoulders behind the stem, a notch where it joins.
    const double back = kPi - std::abs(phi);
    const double base = 0.42 * (1 - 0.85 * std::exp(-std::pow(back / 0.32, 2)));
    return std::max(r, base);
}

QPointF polar(double phi, double r) {
    return {r * std::sin(phi), -r * std::cos(phi)};
}

// The blade's outline in leaf units, as a polygon of `steps` sides.
QPainterPath leafBlade(int steps) {
    QPainterPath blade;
    for (int i = 0; i <= steps; ++i) {
        const double phi = -kPi + 2 * kPi * i / steps;
        const QPointF pt = polar(phi, leafRadius(phi));
        if (i == 0)
            blade.moveTo(pt);
        else
            blade.lineTo(pt);
    }
    blade.closeSubpath();
    return blade;
}

// The stem, bending away below the blade.
QPainterPath leafStem() {
    QPainterPath stem(QPointF(0, 0));
    stem.quadTo(QPointF(0.05, 0.35), QPointF(-0.12, 0.62));
    return stem;
}

void drawLeaf(QPainter& p, QPointF at, double size, double degrees, double opacity) {
    p.save();
    p.translate(at);
    p.rotate(degrees);
    p.scale(size, size);
    p.setOpacity(opacity);

    const QPainterPath blade = leafBlade(720);
    const QPainterPath stem = leafStem();
    QPen stemPen(QColor(0x5b, 0x6e, 0x3f), 0.035, Qt::SolidLine, Qt::RoundCap);
    p.setPen(stemPen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(stem);

    QRadialGradient fill(QPointF(0, -0.35), 1.05);
    fill.setColorAt(0.0, QColor(0x9c, 0xbf, 0x86));
    fill.setColorAt(0.6, QColor(0x6f, 0x9c, 0x66));
    fill.setColorAt(1.0, QColor(0x4c, 0x78, 0x4e));
    p.setPen(QPen(QColor(0x3f, 0x63, 0x42), 0.012));
    p.setBrush(fill);
    p.drawPath(blade);

    // Main veins run from the stem to each lobe tip, side veins leave them at a slant.
    p.setClipPath(blade);
    p.setPen(QPen(QColor(0xe4, 0xee, 0xd6, 200), 0.018, Qt::SolidLine, Qt::RoundCap));
    for (const Lobe& lobe : kLobes) {
        const QPointF tip = polar(lobe.angle, lobe.length * 0.93);
        QPainterPath vein(QPointF(0, 0));
        vein.quadTo(polar(lobe.angle * 0.9, lobe.length * 0.5), tip);
        p.drawPath(vein);
        p.setPen(QPen(QColor(0xe4, 0xee, 0xd6, 140), 0.009, Qt::SolidLine, Qt::RoundCap));
        for (double along = 0.25; along < 0.8; along += 0.17) {
            const QPointF from = polar(lobe.angle, lobe.length * along);
            for (const double side : {-1.0, 1.0}) {
                const QPointF to = polar(lobe.angle + side * 0.42, lobe.length * (along + 0.16));
                p.drawLine(from, to);
            }
        }
        p.setPen(QPen(QColor(0xe4, 0xee, 0xd6, 200), 0.018, Qt::SolidLine, Qt::RoundCap));
    }
    p.restore();
}

// A square vermilion seal with characters in white, read top to bottom.
void drawSeal(QPainter& p, QRectF box, const QString& text) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xb8, 0x3a, 0x2e));
    p.drawRoundedRect(box, box.width() * 0.12, box.width() * 0.12);
    QFont f(kSerif);
    f.setBold(true);
    f.setPixelSize(int(box.height() / text.size() * 0.78));
    p.setFont(f);
    p.setPen(QColor(0xfb, 0xf3, 0xe8));
    const double cell = box.height() / double(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        p.drawText(QRectF(box.left(), box.top() + cell * double(i), box.width(), cell),
                   Qt::AlignCenter, text.mid(i, 1));
    }
    p.restore();
}

QImage cover() {
    QImage img(550, 300, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    // Rice paper warming into a pale leaf green.
    QLinearGradient ground(0, 0, 550, 300);
    ground.setColorAt(0.0, QColor(0xf7, 0xf2, 0xe6));
    ground.setColorAt(0.55, QColor(0xee, 0xf0, 0xe2));
    ground.setColorAt(1.0, QColor(0xdb, 0xe8, 0xd6));
    p.fillRect(img.rect(), ground);
    QRadialGradient light(QPointF(120, 60), 260);
    light.setColorAt(0.0, QColor(255, 255, 250, 150));
    light.setColorAt(1.0, QColor(255, 255, 250, 0));
    p.fillRect(img.rect(), light);

    // Far hills in a thin wash along the foot.
    Wobble w(28);
    p.setPen(Qt::NoPen);
    for (int layer = 0; layer < 2; ++layer) {
        QPainterPath hills(QPointF(0, 300));
        const double base = 262 - layer * 14;
        for (int x = 0; x <= 550; x += 10) {
            const double y = base - 16 * std::sin(x / (70.0 + layer * 30) + layer * 1.7) -
                             6 * std::sin(x / 23.0 + layer) - 4 * w.next();
            hills.lineTo(x, y);
        }
        hills.lineTo(550, 300);
        hills.closeSubpath();
        p.setBrush(QColor(0x8f, 0xaa, 0x90, layer == 0 ? 34 : 24));
        p.drawPath(hills);
    }

    // Leaves: a faint one behind, the main one reaching in from the right edge.
    drawLeaf(p, QPointF(505, 240), 78, 38, 0.35);
    drawLeaf(p, QPointF(448, 168), 128, -18, 0.92);

    // Ink strokes under the title.
    p.setBrush(QColor(0x3d, 0x55, 0x45, 48));
    p.drawPath(brushStroke(QPointF(28, 138), QPointF(170, 124), QPointF(318, 134), 22, w));
    p.setBrush(QColor(0x3d, 0x55, 0x45, 30));
    p.drawPath(brushStroke(QPointF(60, 150), QPointF(160, 146), QPointF(250, 152), 8, w));

    QFont title(kSerif);
    title.setBold(true);
    title.setPixelSize(52);
    title.setLetterSpacing(QFont::AbsoluteSpacing, 4);
    p.setFont(title);
    p.setPen(QColor(0x24, 0x33, 0x29));
    p.drawText(QPointF(38, 118), QStringLiteral("沐梧取名器"));

    QFont sub(kSerif);
    sub.setPixelSize(15);
    sub.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    p.setFont(sub);
    p.setPen(QColor(0x55, 0x66, 0x58));
    p.drawText(QPointF(42, 180), QStringLiteral("笔画 · 五格 · 数理"));

    drawSeal(p, QRectF(336, 66, 30, 56), QStringLiteral("沐梧"));
    return img;
}

// The icon is drawn on a 256-unit square whatever its size in pixels, so every size shows the same
// picture; the small ones for menus and launchers, 256 for software centres.
QImage icon(int size) {
    QImage img(size, size, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 256.0, size / 256.0);
    QLinearGradient ground(0, 0, 256, 256);
    ground.setColorAt(0.0, QColor(0xf7, 0xf2, 0xe6));
    ground.setColorAt(1.0, QColor(0xd3, 0xe3, 0xcd));
    p.setPen(QPen(QColor(0x8f, 0xaa, 0x90), 3));
    p.setBrush(ground);
    p.drawRoundedRect(QRectF(8, 8, 240, 240), 44, 44);
    drawLeaf(p, QPointF(124, 150), 104, -14, 1.0);
    drawSeal(p, QRectF(178, 170, 44, 52), QStringLiteral("沐"));
    return img;
}

// The same icon as scalable vector graphics: the shapes above written as SVG elements, the seal's
// character as its outline, so the picture needs no font where it is shown.
QString svgNumber(double v) {
    QString t = QString::number(v, 'f', 3);
    while (t.endsWith(u'0'))
        t.chop(1);
    if (t.endsWith(u'.'))
        t.chop(1);
    return t == QStringLiteral("-0") ? QStringLiteral("0") : t;
}

QString svgPoint(QPointF pt) {
    return svgNumber(pt.x()) + u',' + svgNumber(pt.y());
}

QString svgPath(const QPainterPath& path) {
    QString d;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo()) {
            d += u'M' + svgPoint(e);
        } else if (e.isLineTo()) {
            d += u'L' + svgPoint(e);
        } else if (e.isCurveTo()) {
            d += u'C' + svgPoint(e) + u' ' + svgPoint(path.elementAt(i + 1)) + u' ' +
                 svgPoint(path.elementAt(i + 2));
            i += 2;
        }
    }
    return d + u'Z';
}

QString svgColour(const QColor& c) {
    return c.name(QColor::HexRgb);
}

QString svgIcon() {
    const QColor veinLight(0xe4, 0xee, 0xd6);
    QString svg = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
        "viewBox=\"0 0 256 256\">\n"
        "  <title>沐梧取名器</title>\n"
        "  <defs>\n"
        "    <linearGradient id=\"ground\" gradientUnits=\"userSpaceOnUse\" x1=\"0\" y1=\"0\" "
        "x2=\"256\" y2=\"256\">\n"
        "      <stop offset=\"0\" stop-color=\"#f7f2e6\"/>\n"
        "      <stop offset=\"1\" stop-color=\"#d3e3cd\"/>\n"
        "    </linearGradient>\n"
        "    <radialGradient id=\"blade\" gradientUnits=\"userSpaceOnUse\" cx=\"0\" cy=\"-0.35\" "
        "r=\"1.05\">\n"
        "      <stop offset=\"0\" stop-color=\"#9cbf86\"/>\n"
        "      <stop offset=\"0.6\" stop-color=\"#6f9c66\"/>\n"
        "      <stop offset=\"1\" stop-color=\"#4c784e\"/>\n"
        "    </radialGradient>\n");
    const QString blade = svgPath(leafBlade(240));
    svg += QStringLiteral("    <clipPath id=\"inside\"><path d=\"%1\"/></clipPath>\n  </defs>\n")
               .arg(blade);
    svg += QStringLiteral(
        "  <rect x=\"8\" y=\"8\" width=\"240\" height=\"240\" rx=\"44\" fill=\"url(#ground)\" "
        "stroke=\"#8faa90\" stroke-width=\"3\"/>\n");
    svg += QStringLiteral("  <g transform=\"translate(124 150) rotate(-14) scale(104)\">\n");
    svg += QStringLiteral(
               "    <path d=\"%1\" fill=\"none\" stroke=\"#5b6e3f\" stroke-width=\"0.035\" "
               "stroke-linecap=\"round\"/>\n")
               .arg(svgPath(leafStem()).chopped(1));
    svg += QStringLiteral(
               "    <path d=\"%1\" fill=\"url(#blade)\" stroke=\"#3f6342\" "
               "stroke-width=\"0.012\"/>\n")
               .arg(blade);
    svg += QStringLiteral(
               "    <g clip-path=\"url(#inside)\" fill=\"none\" stroke=\"%1\" "
               "stroke-linecap=\"round\">\n")
               .arg(svgColour(veinLight));
    for (const Lobe& lobe : kLobes) {
        QPainterPath vein(QPointF(0, 0));
        vein.quadTo(polar(lobe.angle * 0.9, lobe.length * 0.5),
                    polar(lobe.angle, lobe.length * 0.93));
        svg += QStringLiteral(
                   "      <path d=\"%1\" stroke-width=\"0.018\" stroke-opacity=\"0.784\"/>\n")
                   .arg(svgPath(vein).chopped(1));
        for (double along = 0.25; along < 0.8; along += 0.17) {
            const QPointF from = polar(lobe.angle, lobe.length * along);
            for (const double side : {-1.0, 1.0}) {
                const QPointF to = polar(lobe.angle + side * 0.42, lobe.length * (along + 0.16));
                svg += QStringLiteral(
                           "      <path d=\"M%1L%2\" stroke-width=\"0.009\" "
                           "stroke-opacity=\"0.549\"/>\n")
                           .arg(svgPoint(from), svgPoint(to));
            }
        }
    }
    svg += QStringLiteral("    </g>\n  </g>\n");

    // The seal: its character placed as drawSeal places it, then turned into an outline.
    const QRectF box(178, 170, 44, 52);
    svg += QStringLiteral(
               "  <rect x=\"178\" y=\"170\" width=\"44\" height=\"52\" rx=\"%1\" "
               "fill=\"#b83a2e\"/>\n")
               .arg(svgNumber(box.width() * 0.12));
    QFont f(kSerif);
    f.setBold(true);
    f.setPixelSize(int(box.height() * 0.78));
    const QFontMetricsF metrics(f);
    const QString seal = QStringLiteral("沐");
    const QPointF baseline(box.left() + (box.width() - metrics.horizontalAdvance(seal)) / 2,
                           box.top() + (box.height() - metrics.height()) / 2 + metrics.ascent());
    QPainterPath glyph;
    glyph.addText(baseline, f, seal);
    svg += QStringLiteral("  <path d=\"%1\" fill=\"#fbf3e8\"/>\n").arg(svgPath(glyph));
    return svg + QStringLiteral("</svg>\n");
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw_cover OUT_FOLDER\n");
        return 2;
    }
    if (!QFontDatabase::families().contains(kSerif)) {
        std::fprintf(stderr, "draw_cover: the face %s is not installed\n", qPrintable(kSerif));
        return 1;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    bool ok = cover().save(out + QStringLiteral("/cover.png")) &&
              icon(256).save(out + QStringLiteral("/muwu.png"));
    // The sizes a desktop's icon theme asks for, in their own folder for the package.
    if (ok && QDir(out).mkpath(QStringLiteral("icons"))) {
        for (const int size : {48, 64, 128})
            ok = ok && icon(size).save(out + QStringLiteral("/icons/muwu-%1.png").arg(size));
        QFile svg(out + QStringLiteral("/icons/muwu.svg"));
        ok = ok && svg.open(QIODevice::WriteOnly) && svg.write(svgIcon().toUtf8()) > 0;
    } else {
        ok = false;
    }
    return ok ? 0 : 1;
}
