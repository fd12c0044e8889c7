#pragma once

#include <QIcon>
#include <QImage>

// The program's own images, drawn in code.
class AppIcons final {
public:
    // A small loupe for the status area, light on a dark theme and dark on a light one,
    // with a rim of the other shade so it reads on a panel of either.
    static QIcon statusIcon(bool darkTheme);
    // The loupe shown by the banner after the lens image was copied.
    static QImage loupeImage(int size);
};
