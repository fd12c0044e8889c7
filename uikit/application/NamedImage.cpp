#include "uikit/application/NamedImage.h"

#include "foundation/Bundle.h"
#include "uikit/views/ViewAdditions.h"

#include <filesystem>

QPixmap namedImage(const QString& name)
{
    const std::filesystem::path path = Bundle::main().resourceDirectory() / "images" / (name.toStdString() + ".png");
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return {};
    return QPixmap(QString::fromStdString(path.string()));
}

QPixmap scaledNamedImage(const QString& name, const QWidget* view)
{
    const QPixmap image = namedImage(name);
    const double scale = viewadditions::textScale(view);
    if (image.isNull() || scale <= 1.0)
        return image;
    const QSize size = (QSizeF(image.size()) * scale).toSize();
    const QPixmap large = namedImage(name + "@2x");
    return (large.isNull() ? image : large).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}
