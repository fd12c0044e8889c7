#pragma once

#include <QColor>

class Color;
class QPainter;
class QRectF;

// Draws colour swatches; a translucent colour shows over half black, half white.
class SwatchPainter final {
public:
    static void drawSwatch(QPainter& painter, const Color& color, const QRectF& rect);
    // The colour's RGB values, each kept within 0..1.
    static QColor toQColor(const Color& color);
};
