#include "uikit/application/NamedImage.h"

#include "foundation/Bundle.h"

#include <filesystem>

QPixmap namedImage(const QString& name)
{
    const std::filesystem::path path = Bundle::main().resourceDirectory() / "images" / (name.toStdString() + ".png");
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return {};
    return QPixmap(QString::fromStdString(path.string()));
}
