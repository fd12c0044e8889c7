#pragma once

#include "loupe/QVBaseRenderer.h"

#include "formats/color/Color.h"

#include <optional>

// Draws the small layer at the centre of the zoom view: the focus square around the
// centre pixel, in a colour that stands out against it.
class QVLensUICursorRenderer final : public QVBaseRenderer {
public:
    using QVBaseRenderer::QVBaseRenderer;

    bool showFocusRect() const { return m_showFocusRect; }
    // Invalidates only on a change.
    void setShowFocusRect(bool show);
    const std::optional<Color>& indicatorColor() const { return m_indicatorColor; }
    // A different colour invalidates; none is stored without invalidating.
    void setIndicatorColor(const std::optional<Color>& color);

    // Centres the layer on the zoom view, two maximum zoom steps wide.
    void updateLayerFrame();
    // The layer's frame for the zoom view's current width and maximum zoom.
    QRectF layerFrame() const;

    void drawLayer(QPainter& painter, const QRectF& clipBox) override;

private:
    bool m_showFocusRect = false;
    std::optional<Color> m_indicatorColor;
};
