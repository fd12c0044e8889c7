#pragma once

#include <QPalette>

// The palette Qt's own widgets take in the application's light or dark theme: menus,
// dialogs, buttons, fields and Qt's colour dialog.
namespace applicationpalette {

QPalette forTheme(bool dark);

} // namespace applicationpalette
