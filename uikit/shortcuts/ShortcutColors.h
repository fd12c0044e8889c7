#pragma once

#include <QColor>

class QPalette;

// The colours of the shortcut recorder and its key caps on the ground they sit on: a
// light field with light caps on a light window, a dark field with dark caps on a dark.
struct ShortcutColors {
    QColor ground;
    QColor recordingGround;
    // Opaque; each drawing gives it its own alpha.
    QColor innerShadow;
    QColor outline;
    QColor capTop;
    QColor capBottom;
    QColor capStroke;
    QColor capEdge;
    QColor capText;
    QColor capTextShadow;
    QColor caption;

    static ShortcutColors forPalette(const QPalette& palette);
};
