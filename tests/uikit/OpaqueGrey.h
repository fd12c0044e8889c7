#pragma once

#include <QIcon>
#include <QImage>

// The grey level of the icon's opaque lines as it draws now at that size; -1 when it
// draws none.
inline int opaqueGrey(const QIcon& icon, int size)
{
    const QImage image = icon.pixmap(size).toImage();
    int grey = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) == 255)
                grey = qGray(image.pixel(x, y));
    return grey;
}
