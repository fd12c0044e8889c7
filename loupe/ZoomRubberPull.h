#pragma once

#include "uikit/animation/AnimationCallbacks.h"

#include "foundation/Scheduler.h"

#include <functional>
#include <optional>

class NJZoomView;

// The rubber-band pull-back of one zoom view: a timer 12 times a second while picking
// that, once input has rested, animates values beyond their limits back inside them.
class ZoomRubberPull final {
public:
    explicit ZoomRubberPull(NJZoomView& view);
    ~ZoomRubberPull();
    ZoomRubberPull(const ZoomRubberPull&) = delete;
    ZoomRubberPull& operator=(const ZoomRubberPull&) = delete;

    void start();
    void stop();
    bool running() const { return m_timer.has_value(); }
    // Input arms the pull-back; the pull itself or new input disarms it.
    void arm() { m_armed = true; }
    void disarm() { m_armed = false; }
    bool armed() const { return m_armed; }
    void tick();
    void pull();

private:
    // Once the key's animation has stopped, `animate` runs with callbacks that end the
    // view's modify state when it finishes.
    void pullBack(const char* key, const std::function<void(const AnimationCallbacks&)>& animate);

    NJZoomView& m_view;
    std::optional<Scheduler::TimerId> m_timer;
    bool m_armed = false;
};
