#include "AppIcons.h"

#include "foundation/Bundle.h"

#include <QPainter>
#include <QPixmap>

#include <filesystem>
#include <system_error>

namespace {

constexpr int kStatusIconSizes[] = {16, 22, 32, 48};

// A ring with a handle towards the lower right, scaled to the square; `widen` thickens
// the strokes by that many units on each side.
void drawLoupe(QPainter& painter, int size, const QColor& ink, double widen = 0)
{
    painter.setRenderHint(QPainter::Antialiasing);
    const double unit = size / 16.0;
    painter.setPen(QPen(ink, (1.6 + 2 * widen) * unit, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRectF(1.5 * unit, 1.5 * unit, 9.0 * unit, 9.0 * unit));
    painter.setPen(QPen(ink, (2.4 + 2 * widen) * unit, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(9.5 * unit, 9.5 * unit), QPointF(14.0 * unit, 14.0 * unit));
}

constexpr const char* kProgramIconName = "vendrel";

// Every size of the icon in an icon-theme folder ("hicolor/NxN/apps/vendrel.png").
QIcon iconFromThemeFolder(const std::filesystem::path& theme)
{
    QIcon icon;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(theme, error)) {
        const std::filesystem::path file = entry.path() / "apps" / (std::string(kProgramIconName) + ".png");
        if (std::filesystem::is_regular_file(file, error))
            icon.addFile(QString::fromStdString(file.string()));
    }
    return icon;
}

} // namespace

QIcon AppIcons::programIcon()
{
    const std::filesystem::path resources = Bundle::main().resourceDirectory();
    // Installed, the resources lie in share/vendrel/resources and the icons in share/icons.
    for (const std::filesystem::path& icons : {resources / "icons", resources.parent_path().parent_path() / "icons"}) {
        const QIcon icon = iconFromThemeFolder(icons / "hicolor");
        if (!icon.isNull())
            return icon;
    }
    return QIcon::fromTheme(QString::fromLatin1(kProgramIconName));
}

QIcon AppIcons::statusIcon(bool darkTheme)
{
    constexpr double kRimWidth = 0.7;
    QIcon icon;
    const QColor light(0xf0, 0xf0, 0xf0);
    const QColor dark(0x20, 0x20, 0x20);
    for (int size : kStatusIconSizes) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        drawLoupe(painter, size, darkTheme ? dark : light, kRimWidth);
        drawLoupe(painter, size, darkTheme ? light : dark);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QImage AppIcons::loupeImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    drawLoupe(painter, size, QColor(0x40, 0x40, 0x40));
    return image;
}
