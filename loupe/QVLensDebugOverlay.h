#pragma once

class NJZoomView;
class QPainter;
class QVLensBase;

// The loupe's diagnostic drawing, shown only while the zoom view is debugging: the
// view's outline and centre, circles at the limit values, and a panel with the frame
// rates and the current capture, zoom and diameter.
class QVLensDebugOverlay final {
public:
    static void draw(QPainter& painter, const NJZoomView& view, const QVLensBase& lens);
};
