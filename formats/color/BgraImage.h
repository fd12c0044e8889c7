#pragma once

#include "formats/color/ColorSpace.h"

#include <cstddef>
#include <cstdint>
#include <span>

// A view of captured pixels: four bytes per pixel in the order blue, green, red,
// alpha, rows `bytesPerRow` apart. The bytes stay owned by the caller.
struct BgraImage {
    std::span<const std::uint8_t> bytes;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::size_t bytesPerRow = 0;
    ColorSpace colorSpace = ColorSpace::SRGB;
};
