#pragma once

#include <QImage>

namespace imageblur {

// A Gaussian-like blur of about `radius` points: three box passes each way. The
// result is premultiplied ARGB of the same size; edges clamp.
QImage blurred(const QImage& image, double radius);

} // namespace imageblur
