#pragma once

#include <QImage>

#include <string>

namespace bundleimage {

// The PNG image "name.png" of the resources; a null image when it is missing.
QImage named(const std::string& name);

} // namespace bundleimage
