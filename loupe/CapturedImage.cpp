#include "loupe/CapturedImage.h"

#include "formats/color/BgraImage.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <span>

void CapturedImage::setImage(const QImage& image, double backingScale)
{
    m_centerColor.reset();
    m_centerPoint = QPointF(-std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity());
    if (image.isNull()) {
        m_image = QImage();
        m_pixelSize = QSizeF(0, 0);
        m_pointSize = QSizeF(0, 0);
        return;
    }
    const bool bgra = image.format() == QImage::Format_ARGB32_Premultiplied || image.format() == QImage::Format_ARGB32
        || image.format() == QImage::Format_RGB32;
    m_image = bgra ? image : image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    m_pixelSize = QSizeF(image.width(), image.height());
    m_pointSize = m_pixelSize / backingScale;
}

std::optional<Color> CapturedImage::centerColor(const QPointF& offset)
{
    if (m_image.isNull())
        return std::nullopt;
    // The hot-spot pixel sits at the middle of the (even) image; the offset moves it,
    // y upwards while rows grow downwards.
    const float halfWidth = static_cast<float>(std::trunc(m_pixelSize.width())) / 2.0f;
    const float halfHeight = static_cast<float>(std::trunc(m_pixelSize.height())) / 2.0f;
    const QPointF point(halfWidth + offset.x(), halfHeight - offset.y());
    if (m_centerColor && point == m_centerPoint)
        return m_centerColor;
    const BgraImage view {
        std::span<const std::uint8_t>(m_image.constBits(), static_cast<std::size_t>(m_image.sizeInBytes())),
        m_image.width(), m_image.height(), static_cast<std::size_t>(m_image.bytesPerLine()), ColorSpace::SRGB};
    m_centerColor = Color::getColorFromCGImage(&view, static_cast<std::int32_t>(std::trunc(point.x())),
                                               static_cast<std::int32_t>(std::trunc(point.y())));
    m_centerPoint = point;
    return m_centerColor;
}
