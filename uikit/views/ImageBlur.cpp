#include "uikit/views/ImageBlur.h"

#include <QColor>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr int kPasses = 3;

// One running-sum box pass along a line of `count` pixels `stride` apart, per channel.
void boxLine(std::uint8_t* line, int count, int stride, int half, std::vector<int>& buffer)
{
    const int window = 2 * half + 1;
    for (int channel = 0; channel < 4; ++channel) {
        buffer.resize(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i)
            buffer[static_cast<std::size_t>(i)] = line[i * stride + channel];
        auto at = [&](int i) { return buffer[static_cast<std::size_t>(std::clamp(i, 0, count - 1))]; };
        int sum = 0;
        for (int i = -half; i <= half; ++i)
            sum += at(i);
        for (int i = 0; i < count; ++i) {
            line[i * stride + channel] = static_cast<std::uint8_t>((sum + window / 2) / window);
            sum += at(i + half + 1) - at(i - half);
        }
    }
}

} // namespace

namespace imageblur {

QImage blurred(const QImage& image, double radius)
{
    QImage result = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    // A blur radius r is a Gaussian of sigma r / 2; three boxes of half width h come
    // close to sigma h.
    const int half = std::max(0, static_cast<int>(std::lround(radius / 2.0)));
    if (half == 0 || result.isNull())
        return result;
    std::vector<int> buffer;
    const int width = result.width();
    const int height = result.height();
    const int rowBytes = static_cast<int>(result.bytesPerLine());
    for (int pass = 0; pass < kPasses; ++pass) {
        for (int y = 0; y < height; ++y)
            boxLine(result.scanLine(y), width, 4, half, buffer);
        for (int x = 0; x < width; ++x)
            boxLine(result.bits() + x * 4, height, rowBytes, half, buffer);
    }
    return result;
}

} // namespace imageblur

namespace imageblur {

void drawShadow(QPainter& painter, const QSize& canvas, const QPointF& offset, double blur, const QColor& color,
                const std::function<void(QPainter&)>& shape)
{
    // A margin keeps the blur from being cut at the canvas edge.
    const int margin = static_cast<int>(std::ceil(blur)) + 2;
    QImage mask(canvas + QSize(2 * margin, 2 * margin), QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    {
        QPainter shapePainter(&mask);
        shapePainter.setRenderHint(QPainter::Antialiasing);
        shapePainter.translate(margin, margin);
        shape(shapePainter);
        shapePainter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        shapePainter.resetTransform();
        shapePainter.fillRect(mask.rect(), color);
    }
    painter.drawImage(offset - QPointF(margin, margin), blurred(mask, blur));
}

} // namespace imageblur
