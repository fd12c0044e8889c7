#include "loupe/BoxShadow.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// One pass of a running-sum box blur along rows (or columns) of an 8-bit alpha image.
void boxBlur(QImage& alpha, int radius, bool alongRows)
{
    const int lines = alongRows ? alpha.height() : alpha.width();
    const int length = alongRows ? alpha.width() : alpha.height();
    const int window = 2 * radius + 1;
    std::vector<int> source(static_cast<std::size_t>(length));
    for (int line = 0; line < lines; ++line) {
        auto at = [&](int i) -> uchar& {
            return alongRows ? alpha.scanLine(line)[i] : alpha.scanLine(i)[line];
        };
        for (int i = 0; i < length; ++i)
            source[static_cast<std::size_t>(i)] = at(i);
        int sum = 0;
        for (int i = -radius; i <= radius; ++i)
            sum += (i >= 0 && i < length) ? source[static_cast<std::size_t>(i)] : 0;
        for (int i = 0; i < length; ++i) {
            at(i) = static_cast<uchar>(sum / window);
            const int leaving = i - radius;
            const int entering = i + radius + 1;
            if (leaving >= 0)
                sum -= source[static_cast<std::size_t>(leaving)];
            if (entering < length)
                sum += source[static_cast<std::size_t>(entering)];
        }
    }
}

} // namespace

BoxShadow::BoxShadow(double blurRadius)
    : m_blurRadius(blurRadius)
{
}

void BoxShadow::setColor(const QColor& color)
{
    if (color == m_color)
        return;
    m_color = color;
    m_cornerRadius = -1;
}

void BoxShadow::draw(QPainter& painter, const QRectF& box, double cornerRadius)
{
    if (box.isEmpty())
        return;
    const double scale = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    if (box.size() != m_boxSize || cornerRadius != m_cornerRadius || scale != m_scale)
        render(box.size(), cornerRadius, scale);
    painter.drawImage(box.topLeft() - QPointF(m_blurRadius, m_blurRadius), m_picture);
}

void BoxShadow::render(const QSizeF& boxSize, double cornerRadius, double scale)
{
    m_boxSize = boxSize;
    m_cornerRadius = cornerRadius;
    m_scale = scale;
    const QSizeF size = boxSize + QSizeF(2 * m_blurRadius, 2 * m_blurRadius);
    QImage alpha(QSize(static_cast<int>(std::ceil(size.width() * scale)),
                       static_cast<int>(std::ceil(size.height() * scale))),
                 QImage::Format_Alpha8);
    alpha.fill(0);
    {
        QPainter painter(&alpha);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.scale(scale, scale);
        QPainterPath shape;
        shape.addRoundedRect(QRectF(QPointF(m_blurRadius, m_blurRadius), boxSize), cornerRadius, cornerRadius);
        painter.fillPath(shape, Qt::black);
    }
    // Two box passes of half the blur radius each way come close to a Gaussian of that
    // spread.
    const int radius = std::max(1, static_cast<int>(std::lround(m_blurRadius * scale / 2)));
    for (int pass = 0; pass < 2; ++pass) {
        boxBlur(alpha, radius, true);
        boxBlur(alpha, radius, false);
    }
    m_picture = QImage(alpha.size(), QImage::Format_ARGB32_Premultiplied);
    m_picture.fill(Qt::transparent);
    {
        QPainter painter(&m_picture);
        painter.fillRect(m_picture.rect(), m_color);
        painter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        painter.drawImage(0, 0, alpha);
    }
    m_picture.setDevicePixelRatio(scale);
}
