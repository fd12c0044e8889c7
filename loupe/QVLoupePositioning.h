#pragma once

#include <QPointF>

// Places the loupe. The zoom view reaches its placement through this, and the picking
// keys move the loupe with it.
class QVLoupePositioning {
public:
    virtual ~QVLoupePositioning() = default;

    // Moves the loupe onto a global point and refreshes what it shows; answers the
    // point the lens is centred on (kept inside a screen).
    virtual QPointF setLoupeCenter(const QPointF& globalPoint) = 0;
    // The last point handed to setLoupeCenter, as it was used.
    virtual QPointF lastCenter() const = 0;
    // Device-pixel offset of a global point from the loupe centre; zero at scale 1.
    virtual QPointF offsetFromCenter(const QPointF& globalPoint) const = 0;
    // Captures again at the last point with the largest capture the zoom view allows.
    virtual void updateCaptureImageWithMaxValues() = 0;
};
