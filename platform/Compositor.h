#pragma once

#include <functional>

// Whether a compositing manager runs. Without one, see-through window areas paint black,
// so round windows are shaped instead. One may start or stop at any time.
class Compositor {
public:
    virtual ~Compositor() = default;
    virtual bool isRunning() const = 0;
    // Runs on the main thread when a compositing manager starts or stops.
    virtual void setChangeHandler(std::function<void()> handler) = 0;
};
