#pragma once

#include <QPixmap>
#include <QString>

// The image "name.png" of the resources' images folder; a null pixmap when there is
// none.
QPixmap namedImage(const QString& name);
