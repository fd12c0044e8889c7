// Draws the colours-and-formats panel's images into the folder given as the only
// argument: the format group badges, the navigation and search glyphs, the swatch star
// and the list switches. Each glyph comes in grey for the light theme, light grey with
// the suffix "-inv" for the dark theme and, where a selected state exists, an active
// variant.

#include <QDir>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <functional>
#include <iostream>
#include <numbers>
#include <string>
#include <vector>

namespace {

const QColor kLight(0x50, 0x50, 0x50);
const QColor kDark(0xe2, 0xe2, 0xe2);
const QColor kAccent(0x2f, 0x7c, 0xf6);
const QColor kWhite(Qt::white);
const QColor kGold(0xff, 0xc8, 0x3d);
const QColor kGoldEdge(0xa8, 0x74, 0x00);

using Glyph = std::function<void(QPainter&, const QColor&)>;

bool save(const QDir& folder, const QString& name, int side, const Glyph& glyph, const QColor& color)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    glyph(painter, color);
    painter.end();
    const QString path = folder.filePath(name + QStringLiteral(".png"));
    if (!image.save(path)) {
        std::cerr << "cannot write " << path.toStdString() << '\n';
        return false;
    }
    return true;
}

QPen stroke(const QColor& color, double width)
{
    QPen pen(color, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

QPainterPath star(const QPointF& centre, double outer, double inner)
{
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const double radius = i % 2 == 0 ? outer : inner;
        const double angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        const QPointF point(centre.x() + radius * std::cos(angle), centre.y() + radius * std::sin(angle));
        if (i == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    path.closeSubpath();
    return path;
}

// A rounded badge with the group's short name, fitted to its width.
Glyph badge(const QString& label)
{
    return [label](QPainter& painter, const QColor& color) {
        const QRectF frame(1.5, 4.5, 21, 15);
        painter.setPen(stroke(color, 1.2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(frame, 3.5, 3.5);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setBold(true);
        double size = 9;
        font.setPixelSize(static_cast<int>(size));
        while (QFontMetricsF(font).horizontalAdvance(label) > frame.width() - 4 && size > 5) {
            size -= 0.5;
            font.setPixelSize(static_cast<int>(std::round(size)));
        }
        painter.setFont(font);
        painter.setPen(color);
        painter.drawText(frame, Qt::AlignCenter, label);
    };
}

// The loupe: a lens over a pixel grid with its centre pixel marked.
Glyph loupe(double side)
{
    return [side](QPainter& painter, const QColor& color) {
        const double c = side / 2;
        const double r = side / 2 - 1.5;
        painter.setPen(stroke(color, side / 10));
        painter.drawEllipse(QPointF(c, c), r, r);
        painter.setPen(stroke(color, 0.8));
        const double cell = side / 6;
        for (int i = -1; i <= 1; i += 2) {
            painter.drawLine(QPointF(c + i * cell / 2, c - r * 0.6), QPointF(c + i * cell / 2, c + r * 0.6));
            painter.drawLine(QPointF(c - r * 0.6, c + i * cell / 2), QPointF(c + r * 0.6, c + i * cell / 2));
        }
        painter.fillRect(QRectF(c - cell / 2, c - cell / 2, cell, cell), color);
    };
}

// The colour editor: three overlapping discs, as lights mix.
void colorDiscs(QPainter& painter, const QColor& color)
{
    painter.setPen(stroke(color, 1.3));
    painter.setBrush(Qt::NoBrush);
    const double r = 5.2;
    for (const QPointF& centre : {QPointF(10, 6.6), QPointF(6.6, 12.6), QPointF(13.4, 12.6)})
        painter.drawEllipse(centre, r, r);
    QColor inner = color;
    inner.setAlphaF(0.55f);
    painter.setPen(Qt::NoPen);
    painter.setBrush(inner);
    painter.drawEllipse(QPointF(10, 10.6), 2.2, 2.2);
}

// A filled disc with a cross cut out of it.
void closeDisc(QPainter& painter, const QColor& color)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawEllipse(QPointF(7, 7), 6.5, 6.5);
    painter.setCompositionMode(QPainter::CompositionMode_Clear);
    painter.setPen(stroke(Qt::black, 1.6));
    painter.drawLine(QPointF(4.6, 4.6), QPointF(9.4, 9.4));
    painter.drawLine(QPointF(9.4, 4.6), QPointF(4.6, 9.4));
}

void magnifier(QPainter& painter, const QColor& color)
{
    painter.setPen(stroke(color, 1.6));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(6.5, 6.5), 4.6, 4.6);
    painter.setPen(stroke(color, 2.2));
    painter.drawLine(QPointF(10, 10), QPointF(14, 14));
}

void clockFace(QPainter& painter, const QColor& color)
{
    painter.setPen(stroke(color, 1.6));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(10, 10), 8, 8);
    painter.setPen(stroke(color, 1.6));
    painter.drawLine(QPointF(10, 10), QPointF(10, 5));
    painter.drawLine(QPointF(10, 10), QPointF(13.5, 12));
}

void starOutline(QPainter& painter, const QColor& color)
{
    painter.setPen(stroke(color, 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(star(QPointF(10, 10.6), 8.5, 3.6));
}

void starFilled(QPainter& painter, const QColor& color)
{
    painter.setPen(stroke(color, 1.5));
    painter.setBrush(color);
    painter.drawPath(star(QPointF(10, 10.6), 8.5, 3.6));
}

// The star on a swatch: drawn with a faint opposite halo so it reads on any colour.
Glyph swatchStar(const QColor& halo, bool filled)
{
    return [halo, filled](QPainter& painter, const QColor& color) {
        const QPainterPath shape = star(QPointF(8, 8.5), 6.5, 2.8);
        painter.setPen(stroke(halo, 2.6));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(shape);
        painter.setPen(stroke(filled ? kGoldEdge : color, 1.1));
        painter.setBrush(filled ? QBrush(color) : QBrush(Qt::NoBrush));
        painter.drawPath(shape);
    };
}

struct Themed {
    QString name;
    int side;
    Glyph glyph;
};

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::cerr << "usage: vendrel_overlay_artwork <folder>\n";
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        std::cerr << "cannot make " << argv[1] << '\n';
        return 1;
    }
    bool ok = true;

    // One badge per group of the catalogue: plain, dark theme, and on the selected row.
    const std::vector<std::pair<QString, QString>> groups = {
        {"android", "An"}, {"css", "CSS"}, {"design", "RGB"}, {"dotnet", "C#"}, {"flutter", "Fl"},
        {"hex", "#"},      {"java", "J"},  {"latex", "TeX"},  {"objective-c", ".m"}, {"python", "Py"},
        {"qt", "Qt"},      {"svg", "SVG"}, {"swift", "Sw"},   {"unity", "U"},
    };
    for (const auto& [group, label] : groups) {
        const QString name = QStringLiteral("format-icon_") + group;
        ok = save(folder, name, 24, badge(label), kLight) && ok;
        ok = save(folder, name + QStringLiteral("-inv"), 24, badge(label), kDark) && ok;
        ok = save(folder, name + QStringLiteral("-active"), 24, badge(label), kWhite) && ok;
    }

    const std::vector<Themed> themed = {
        {"loupe", 20, loupe(20)}, {"loupe-18", 18, loupe(18)}, {"colorPanel", 20, colorDiscs},
        {"close", 14, closeDisc}, {"search", 16, magnifier},   {"history", 20, clockFace},
        {"favorites", 20, starOutline},
    };
    for (const Themed& image : themed) {
        ok = save(folder, image.name, image.side, image.glyph, kLight) && ok;
        ok = save(folder, image.name + QStringLiteral("-inv"), image.side, image.glyph, kDark) && ok;
    }
    // The list switches' pressed images.
    ok = save(folder, "history_active", 20, clockFace, kAccent) && ok;
    ok = save(folder, "history-inv_active", 20, clockFace, kAccent.lighter(130)) && ok;
    ok = save(folder, "favorites_active", 20, starFilled, kAccent) && ok;
    ok = save(folder, "favorites-inv_active", 20, starFilled, kAccent.lighter(130)) && ok;

    // The favourite button on a swatch: dark on light colours, light on dark ones, gold
    // when the colour is a favourite.
    ok = save(folder, "sample-fav", 16, swatchStar(QColor(255, 255, 255, 110), false), QColor(0x20, 0x20, 0x20)) && ok;
    ok = save(folder, "sample-fav-inv", 16, swatchStar(QColor(0, 0, 0, 90), false), kWhite) && ok;
    ok = save(folder, "sample-fav-active", 16, swatchStar(QColor(0, 0, 0, 60), true), kGold) && ok;
    return ok ? 0 : 1;
}
