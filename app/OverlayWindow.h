#pragma once

#include "formats/color/Color.h"

#include <vector>

// The colours-and-formats overlay, as the settings drive it.
class OverlayWindow {
public:
    virtual ~OverlayWindow() = default;
    virtual bool isVisible() const = 0;
    // Renders every format again for the selected colour.
    virtual void renderFormats() = 0;
    virtual void setHistoryColors(const std::vector<Color>& colors) = 0;
};
