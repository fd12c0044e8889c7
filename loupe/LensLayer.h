#pragma once

#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <functional>

class QPainter;
class QVBaseRenderer;

// A cached picture inside the zoom view: a frame in the view's coordinates (y down), a
// contents scale, and contents that its delegate draws only when the layer was asked
// to display. The layer stack composites it on every paint of the zoom view.
class LensLayer final {
public:
    QRectF frame() const { return m_frame; }
    // A new size asks for a display; a move alone does not.
    void setFrame(const QRectF& frame);
    QRectF bounds() const { return {QPointF(), m_frame.size()}; }
    // The size, keeping the centre.
    void setBoundsSize(const QSizeF& size);
    // The centre of the frame.
    QPointF position() const { return m_frame.center(); }
    void setPosition(const QPointF& position);

    // Device pixels of the contents per point.
    double contentsScale() const { return m_contentsScale; }
    void setContentsScale(double scale);

    QVBaseRenderer* delegate() const { return m_delegate; }
    void setDelegate(QVBaseRenderer* delegate) { m_delegate = delegate; }
    // Runs whenever the layer asks to display, so that its host can schedule a paint.
    void setDisplayRequestHandler(std::function<void()> handler) { m_displayRequest = std::move(handler); }

    void setNeedsDisplay();
    bool needsDisplay() const { return m_needsDisplay; }
    // Draws the contents through the delegate when a display was asked for. An empty
    // layer draws nothing and keeps asking.
    void displayIfNeeded();
    // Draws the contents at the frame, its origin moved down to whole device pixels so
    // that text and hairlines stay sharp.
    void composite(QPainter& painter) const;
    const QImage& contents() const { return m_contents; }

private:
    QRectF m_frame;
    double m_contentsScale = 1.0;
    QVBaseRenderer* m_delegate = nullptr;
    std::function<void()> m_displayRequest;
    bool m_needsDisplay = false;
    QImage m_contents;
};
