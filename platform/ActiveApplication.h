#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// The application whose window is active, and switches between applications.
class ActiveApplication {
public:
    virtual ~ActiveApplication() = default;
    // An identifier of the active application; nullopt when none is known.
    virtual std::optional<std::string> identifier() const = 0;
    // The active window, so that the focus can be handed back to it later.
    virtual std::optional<std::uint32_t> activeWindow() const = 0;
    // Makes the window active and gives it the keyboard focus.
    virtual void activate(std::uint32_t window) = 0;
    // Runs on the main thread each time another application becomes active.
    virtual void setSwitchHandler(std::function<void()> handler) = 0;
};
