#pragma once

#include <functional>

// The desktop's virtual desktops.
class Workspace {
public:
    virtual ~Workspace() = default;
    // Runs on the main thread each time another desktop becomes current; an empty
    // handler stops listening.
    virtual void setDesktopSwitchHandler(std::function<void()> handler) = 0;
};
