#pragma once

// Whether a compositing manager runs. Without one, see-through window areas paint black,
// so round windows are shaped instead.
class Compositor {
public:
    virtual ~Compositor() = default;
    virtual bool isRunning() const = 0;
};
