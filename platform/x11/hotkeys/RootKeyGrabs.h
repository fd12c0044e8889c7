#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <vector>

// Passive grabs of one key on the root window under several modifier masks, shared by
// the program and its hot-key helper.
namespace rootkeygrabs {

// Every mask or none: when the server refuses one, the masks granted go back.
bool grab(xcb_connection_t* connection, xcb_window_t root, xcb_keycode_t keycode,
          const std::vector<std::uint16_t>& masks, std::uint8_t keyboardMode);
// Returns once the server has let them go.
void ungrab(xcb_connection_t* connection, xcb_window_t root, xcb_keycode_t keycode,
            const std::vector<std::uint16_t>& masks);

} // namespace rootkeygrabs
