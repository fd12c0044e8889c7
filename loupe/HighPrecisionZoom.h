#pragma once

#include <QPointF>

#include <functional>

class NJZoomView;

// High-precision zoom of one zoom view: five more zoom while a key or a long press holds
// it, and back to the saved zoom and capture when released. Input is ignored while the
// zoom rises. States are the zoom view's HiDPIStates.
class HighPrecisionZoom final {
public:
    using Completion = std::function<void()>;

    explicit HighPrecisionZoom(NJZoomView& view);

    int state() const;
    void setState(int state);
    bool active() const;
    QPointF savedValues() const;
    double savedMaxZoom() const;
    bool canActivate() const;
    bool canDeactivate() const;
    void activate(Completion completion);
    void deactivate(Completion completion);
    // Back to the saved values at once, without animation or lock.
    void reset();

private:
    // The saved limit, zoom and capture, stored without a recomputation.
    void restoreSavedValues();

    NJZoomView& m_view;
    int m_state = 0;
    bool m_active = false;
    QPointF m_savedValues;
    double m_savedMaxZoom = 0;
};
