#include "uikit/BundleImage.h"

#include "foundation/Bundle.h"

#include <QString>

namespace bundleimage {

QImage named(const std::string& name)
{
    const auto path = Bundle::main().pathForResource("images/" + name, "png");
    return path ? QImage(QString::fromStdString(path->string())) : QImage();
}

} // namespace bundleimage
