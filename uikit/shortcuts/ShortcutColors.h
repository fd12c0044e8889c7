#pragma once

#include <QColor>

// The colours of the shortcut recorder and its key caps in the application's theme: a
// light field with light caps in the light theme, a dark field with dark caps in the dark.
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

    static ShortcutColors current();
};
