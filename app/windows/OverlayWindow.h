#pragma once

#include "formats/color/Color.h"

#include <vector>

class QVFormatProcessor;

// The colours-and-formats overlay as the controller drives it.
class OverlayWindow {
public:
    virtual ~OverlayWindow() = default;
    virtual bool isVisible() const = 0;
    // Renders every format again for the selected colour.
    virtual void renderFormats() = 0;
    virtual void setHistoryColors(const std::vector<Color>& colors) = 0;
    // Both lists anew, loading the window first when it is not loaded yet.
    virtual void initWithColors(const std::vector<Color>& history, const std::vector<Color>& favorites) = 0;
    virtual void setFormatProcessor(QVFormatProcessor* processor) = 0;
    virtual bool hasSelectedColor() const = 0;
    virtual void center() = 0;
    virtual void makeKeyAndOrderFront() = 0;
    virtual void orderOut() = 0;
};
