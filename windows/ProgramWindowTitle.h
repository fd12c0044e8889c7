#pragma once

// How the program's own windows are titled: the program, then what the window shows.
namespace programwindowtitle {

constexpr const char* kFormat = "Vendrel \u2013 %1";

} // namespace programwindowtitle
