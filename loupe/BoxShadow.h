#pragma once

#include <QColor>
#include <QImage>
#include <QRectF>

class QPainter;

// A soft shadow around a rounded box, straight below it (no offset). The blurred
// picture is kept for the last box size, so that redrawing the same box is a copy.
class BoxShadow final {
public:
    explicit BoxShadow(double blurRadius);

    void setColor(const QColor& color);
    // Draws the shadow of the box with rounded corners of `cornerRadius`.
    void draw(QPainter& painter, const QRectF& box, double cornerRadius);

private:
    void render(const QSizeF& boxSize, double cornerRadius, double scale);

    double m_blurRadius;
    QColor m_color;
    QImage m_picture;
    QSizeF m_boxSize;
    double m_cornerRadius = -1;
    double m_scale = 0;
};
