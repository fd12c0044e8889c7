#pragma once

#include <functional>
#include <optional>
#include <string>

// The application whose window is active, and switches between applications.
class ActiveApplication {
public:
    virtual ~ActiveApplication() = default;
    // An identifier of the active application; nullopt when none is known.
    virtual std::optional<std::string> identifier() const = 0;
    // Runs on the main thread each time another application becomes active.
    virtual void setSwitchHandler(std::function<void()> handler) = 0;
};
