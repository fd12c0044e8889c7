#include "platform/CapturedPixels.h"

#include <cstring>

namespace capturedpixels {

QImage crop(const QImage& image, const QRect& rect)
{
    if (image.isNull() || rect.isEmpty())
        return {};
    const QImage screen = image.depth() == 32 ? image : image.convertToFormat(QImage::Format_RGB32);
    QImage pixels(rect.size(), QImage::Format_ARGB32_Premultiplied);
    const QRect inside = rect.intersected(screen.rect());
    if (inside != rect)
        pixels.fill(Qt::black);
    const std::size_t rowBytes = static_cast<std::size_t>(inside.width()) * 4;
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        std::memcpy(pixels.scanLine(y - rect.top()) + (inside.left() - rect.left()) * 4,
                    screen.constScanLine(y) + inside.left() * 4, rowBytes);
    makeOpaque(pixels);
    return pixels;
}

void makeOpaque(QImage& image)
{
    for (int y = 0; y < image.height(); ++y) {
        auto* pixel = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            pixel[x] |= 0xff000000u;
    }
}

} // namespace capturedpixels
