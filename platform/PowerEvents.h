#pragma once

#include <functional>

// The machine going to sleep.
class PowerEvents {
public:
    virtual ~PowerEvents() = default;
    // Runs on the main thread just before the machine sleeps; an empty handler stops
    // listening.
    virtual void setSleepHandler(std::function<void()> handler) = 0;
};
