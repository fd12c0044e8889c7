#pragma once

#include <QIcon>
#include <QImage>

// The program's own images, drawn in code.
class AppIcons final {
public:
    // A small loupe for the status area, dark or light to stand out on the panel.
    static QIcon statusIcon(bool darkPanel);
    // The loupe shown by the banner after the lens image was copied.
    static QImage loupeImage(int size);
};
