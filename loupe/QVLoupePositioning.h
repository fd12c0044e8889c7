#pragma once

#include <QPointF>

// Places the loupe; the picking keys move it through this.
class QVLoupePositioning {
public:
    virtual ~QVLoupePositioning() = default;

    // Moves the loupe onto a global point and refreshes what it shows; answers the
    // point the lens is centred on (kept inside a screen).
    virtual QPointF setLoupeCenter(const QPointF& globalPoint) = 0;
    // The last point handed to setLoupeCenter, as it was used.
    virtual QPointF lastCenter() const = 0;
};
