#pragma once

#include "loupe/LensDisc.h"
#include "loupe/QVBaseRenderer.h"

#include <QImage>

#include <vector>

// Draws the layer over the whole zoom view: the rim (a wide ring just outside the lens
// with a hairline outside it and one inside the lens edge), the white wash of the pick
// flash and the pixel grid.
class QVLensUIRenderer final : public QVBaseRenderer {
public:
    using QVBaseRenderer::QVBaseRenderer;

    bool usePixelGrid() const { return m_usePixelGrid; }
    // Invalidates only on a change.
    void setUsePixelGrid(bool use);
    // Opacity of the wash, 0..1; only stored (the layer stack invalidates).
    double alphaBlind() const { return m_alphaBlind; }
    void setAlphaBlind(double alpha) { m_alphaBlind = alpha; }
    // Nothing shows through the window (no compositor): the rim is laid over a solid
    // ring of its own grey, a pixel past the circle of rimDimensions, instead of
    // blending with whatever lies below.
    bool opaqueBackground() const { return m_opaqueBackground; }
    void setOpaqueBackground(bool opaque);

    // The square that holds the lens with its rim.
    QSizeF UIDimensions() const override;
    // The square of the circle that ends with the rim's outer hairline, in whole pixels.
    QSizeF rimDimensions() const;
    // Width of the wide ring for the zoom view's diameter and scale.
    float outerCircleWidth() const;
    float outerCircleWidth(float diameter, int scale) const;

    void drawLayer(QPainter& painter, const QRectF& clipBox) override;

private:
    double hairlineWidth() const;
    // The wash and the grid, cut to the lens.
    void drawLensInterior(QPainter& painter, const QRectF& clipBox, const QRectF& lens, bool grid);
    void drawPixelGrid(QPainter& painter, const QRectF& clipBox) const;
    // The wide ring, its hairlines and the solid ground behind them.
    void drawRim(QPainter& painter, const QRectF& lens);
    // Every value the rim's drawing depends on.
    std::vector<double> rimInputs(const QRectF& clipBox, double devicePixelRatio) const;

    bool m_usePixelGrid = false;
    double m_alphaBlind = 0.0;
    bool m_opaqueBackground = false;
    LensDisc m_disc;
    // The layer is redrawn at every frame of the pick flash and at every pick, mostly
    // with the rim of the frame before: the last rim is kept and laid down again while
    // its values stay the same.
    std::vector<double> m_rimInputs;
    QImage m_rim;
};
