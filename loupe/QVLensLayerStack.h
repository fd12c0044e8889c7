#pragma once

#include "loupe/LensDisc.h"
#include "loupe/QVLensBase.h"

#include <memory>
#include <optional>
#include <string>

class LensLayer;
class QVLensUICursorRenderer;
class QVLensUIInfoRenderer;
class QVLensUIRenderer;

// The loupe's renderer: draws the captured screen magnified (nearest neighbour) and
// clipped to the lens circle, takes the centre pixel's colour as the colour a pick
// takes, and composites three cached layers above it: the rim, wash and pixel grid;
// the focus square; the info box. The layers are rebuilt each time the picker shows;
// their renderers, with every setting, live as long as the stack.
class QVLensLayerStack final : public QVLensBase {
public:
    // Names that getUILayerByName answers.
    static constexpr const char* kUILayerName = "QVUILayer";
    static constexpr const char* kCursorLayerName = "QVUICursorLayer";
    static constexpr const char* kInfoLayerName = "QVUIInfoLayer";

    // Builds the layers at once: the zoom view should have its final size.
    explicit QVLensLayerStack(NJZoomView* image);
    ~QVLensLayerStack() override;

    // Settings of the renderers.
    bool showPixelGrid() const;
    void setShowPixelGrid(bool show);
    double alphaBlind() const override;
    void setAlphaBlind(double alpha) override;
    bool showFocusRect() const;
    void setShowFocusRect(bool show);
    void setIndicatorColor(const std::optional<Color>& color);
    bool peekModeActive() const override;
    void setPeekModeActive(bool active) override;
    void setExportFormatProcessor(QVFormatProcessor* processor) override;
    bool showColorInfo() const;
    void setShowColorInfo(bool show);
    // The "colorInfo" mode of the info box.
    long long colorInfo() const;
    void setColorInfo(long long mode);
    void setExportFormat(const std::optional<QVFormatDefinition>& format) override;
    void setDisplayFormat(const std::optional<QVDisplayFormatDefinition>& format) override;
    // Nothing shows through the loupe window: the rim gets a solid ground.
    void setOpaqueBackground(bool opaque);
    QSizeF lensSize() const override;
    QSizeF rimSize() const override;

    // The layers; null for another name or while the layers do not exist.
    LensLayer* getUILayerByName(const std::string& name) const override;
    bool hasSublayers() const override { return m_sublayersInitialized; }
    void addAllSubLayers() override;
    void removeAllSubLayers() override;
    void updateLayerBacking() override;

    void setLensCenter(const QPointF& center) override;
    void setSelectedColor(const std::optional<Color>& color) override;
    void draw(QPainter& painter) override;
    void redrawAll() override;
    void inValidateLayerStack() override;
    void validateLayerStack() override;
    void lensAttributeChanged() override;
    void gestureEnded() override;

    QVLensUIRenderer& uiRenderer() const { return *m_uiRenderer; }
    QVLensUICursorRenderer& cursorRenderer() const { return *m_cursorRenderer; }
    QVLensUIInfoRenderer& infoRenderer() const { return *m_infoRenderer; }

private:
    std::shared_ptr<LensLayer> makeLayer(double contentsScale);
    void layoutSublayers();
    void drawMagnifiedCapture(QPainter& painter);
    void debuggingInfo(QPainter& painter);
    double backingScale() const;

    std::unique_ptr<QVLensUIRenderer> m_uiRenderer;
    std::unique_ptr<QVLensUICursorRenderer> m_cursorRenderer;
    std::unique_ptr<QVLensUIInfoRenderer> m_infoRenderer;
    std::shared_ptr<LensLayer> m_uiLayer;
    std::shared_ptr<LensLayer> m_cursorLayer;
    std::shared_ptr<LensLayer> m_infoLayer;
    // Cuts the magnified capture to the lens.
    LensDisc m_lensDisc;
    bool m_sublayersInitialized = false;
    // While drawing, a layer that asks to display is drawn in the same pass.
    bool m_drawing = false;
};
