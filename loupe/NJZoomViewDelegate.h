#pragma once

#include <QPointF>

// What the zoom view asks of the loupe's controller. Every answer is optional: the
// defaults do nothing.
class NJZoomViewDelegate {
public:
    virtual ~NJZoomViewDelegate() = default;

    // Around scroll input and trackpad gestures.
    virtual void gestureStarted() {}
    virtual void gestureEnded() {}
    // Decide again, from the keys held now, whether high-precision zoom should hold.
    virtual void checkHiDPIMode() {}
    // Capture at the last capture point with the widest capture the rubber band allows,
    // so a zoom-out shows real pixels instead of an empty margin.
    virtual void updateCaptureImageWithMaxValues() {}
    // Device-pixel offset of the last loupe centre from the current one, for a new
    // backing scale.
    virtual QPointF offsetFromLastCenter() const { return {}; }
};
