#pragma once

// The setting that picks the application's theme over the system's, and its values.
namespace userinterface {

inline constexpr const char* kKey = "userInterface";
inline constexpr const char* kDark = "dark";
inline constexpr const char* kLight = "light";

} // namespace userinterface
