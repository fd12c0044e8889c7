#pragma once

#include "platform/GlobalCoordinates.h"
#include "platform/ScreenInfo.h"

#include <vector>

// The displays and the one place that knows where the global origin lies.
class Screens {
public:
    virtual ~Screens() = default;
    // The primary screen first.
    virtual std::vector<ScreenInfo> screens() const = 0;
    virtual GlobalCoordinates coordinates() const = 0;
};
