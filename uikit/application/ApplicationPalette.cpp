#include "uikit/application/ApplicationPalette.h"

#include <QApplication>
#include <QStyle>

namespace applicationpalette {

QPalette forTheme(bool dark)
{
    QPalette palette = QApplication::style() ? QApplication::style()->standardPalette() : QPalette();
    if (!dark)
        return palette;
    const QColor window(0x32, 0x32, 0x32);
    const QColor text(0xf0, 0xf0, 0xf0);
    const QColor disabledText(0x80, 0x80, 0x80);
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    palette.setColor(QPalette::AlternateBase, QColor(0x2a, 0x2a, 0x2a));
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::PlaceholderText, disabledText);
    palette.setColor(QPalette::Button, QColor(0x3c, 0x3c, 0x3c));
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::BrightText, Qt::white);
    palette.setColor(QPalette::Light, QColor(0x50, 0x50, 0x50));
    palette.setColor(QPalette::Midlight, QColor(0x46, 0x46, 0x46));
    palette.setColor(QPalette::Mid, QColor(0x28, 0x28, 0x28));
    palette.setColor(QPalette::Dark, QColor(0x1a, 0x1a, 0x1a));
    palette.setColor(QPalette::Shadow, Qt::black);
    palette.setColor(QPalette::Highlight, QColor(0x2f, 0x65, 0xca));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Link, QColor(0x6c, 0xa4, 0xff));
    palette.setColor(QPalette::LinkVisited, QColor(0xb0, 0x8c, 0xff));
    palette.setColor(QPalette::ToolTipBase, window);
    palette.setColor(QPalette::ToolTipText, text);
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, disabledText);
    return palette;
}

} // namespace applicationpalette
