#pragma once

#include "formats/color/Color.h"

#include <QImage>
#include <QPointF>
#include <QSizeF>

#include <optional>

// The zoom view's captured image: opaque BGRA pixels, its size in device pixels and in
// points, and the colour of its picked pixel, cached until the next capture.
class CapturedImage final {
public:
    const QImage& image() const { return m_image; }
    // A null image clears the capture; `backingScale` is device pixels per point.
    void setImage(const QImage& image, double backingScale);
    QSizeF pointSize() const { return m_pointSize; }
    void setPointSize(const QSizeF& size) { m_pointSize = size; }
    QSizeF pixelSize() const { return m_pixelSize; }
    void setPixelSize(const QSizeF& size) { m_pixelSize = size; }
    // The colour of the pixel under the pointer's hot spot moved by `offset` (device
    // pixels, y upwards); nullopt without an image.
    std::optional<Color> centerColor(const QPointF& offset);

private:
    QImage m_image;
    QSizeF m_pointSize;
    QSizeF m_pixelSize;
    std::optional<Color> m_centerColor;
    QPointF m_centerPoint;
};
