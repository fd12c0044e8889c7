#pragma once

#include <QImage>
#include <QRect>

namespace capturedpixels {

// The pixels of `rect` from a screen image, opaque: parts off the screen are black and
// every alpha byte is 255. Null when the screen is null.
QImage crop(const QImage& screen, const QRect& rect);

// Sets every alpha byte of a 32-bit image to 255.
void makeOpaque(QImage& image);

} // namespace capturedpixels
