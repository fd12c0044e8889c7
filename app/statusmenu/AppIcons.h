#pragma once

#include <QIcon>
#include <QImage>

// The program's own images: drawn in code, or the program's icon.
class AppIcons final {
public:
    // The program's icon as the desktop entry shows it, for its windows: the copy in
    // the resources (a build tree), else the installed one beside them, else the
    // icon theme's.
    static QIcon programIcon();
    // A small loupe for the status area, light on a dark theme and dark on a light one,
    // with a rim of the other shade so it reads on a panel of either.
    static QIcon statusIcon(bool darkTheme);
    // The loupe shown by the banner after the lens image was copied.
    static QImage loupeImage(int size);
};
