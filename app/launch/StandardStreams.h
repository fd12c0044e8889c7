#pragma once

// The standard streams of a process started without some of them (`vendrel cli >&-`).
namespace standardstreams {

// Puts /dev/null, open for reading only, under every closed standard stream's number:
// no connection or file the program opens later takes that number, so nothing meant
// for the stream lands in it, and writing to the stream fails as it would have.
void reserve();

} // namespace standardstreams
