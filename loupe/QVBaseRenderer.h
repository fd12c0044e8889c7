#pragma once

#include <QPointer>
#include <QRectF>
#include <QSizeF>

#include <memory>

class LensLayer;
class NJZoomView;
class QPainter;

// The base of the lens's layer renderers: draws one layer with the values of one zoom
// view, both held weakly, and redraws the layer only after it was invalidated.
class QVBaseRenderer {
public:
    QVBaseRenderer(NJZoomView* image, const std::shared_ptr<LensLayer>& layer);
    virtual ~QVBaseRenderer();
    QVBaseRenderer(const QVBaseRenderer&) = delete;
    QVBaseRenderer& operator=(const QVBaseRenderer&) = delete;

    NJZoomView* image() const;
    // Null once the layer stack dropped the layer.
    std::shared_ptr<LensLayer> layer() const { return m_layer.lock(); }
    void assignLayer(const std::shared_ptr<LensLayer>& layer) { m_layer = layer; }

    // The square the renderer's drawing needs, in points; empty here.
    virtual QSizeF UIDimensions() const { return {}; }
    // Asks the layer to display.
    void updateLayer();
    void invalidate() { m_invalid = true; }
    // Asks the layer to display when invalid; the flag stays until the layer draws.
    void validate();
    bool invalid() const { return m_invalid; }

    // Draws the layer's contents; `clipBox` is the layer's bounds in points, y down.
    // Overrides call this first.
    virtual void drawLayer(QPainter& painter, const QRectF& clipBox);

private:
    QPointer<NJZoomView> m_image;
    std::weak_ptr<LensLayer> m_layer;
    bool m_invalid = false;
};
