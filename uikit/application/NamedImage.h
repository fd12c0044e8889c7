#pragma once

#include <QPixmap>
#include <QString>

class QWidget;

// The image "name.png" of the resources' images folder; a null pixmap when there is
// none.
QPixmap namedImage(const QString& name);

// The image grown with the text where the user's font settings make text larger (a
// logical dpi above 96, the view's or else the primary screen's): drawn from
// "name@2x.png" when the images folder has one, else smoothly enlarged from "name.png".
// At 96 dpi it is namedImage(name).
QPixmap scaledNamedImage(const QString& name, const QWidget* view = nullptr);
