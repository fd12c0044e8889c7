#pragma once

#include "loupe/QVBaseRenderer.h"

#include "formats/QVDisplayFormatDefinition.h"
#include "formats/QVFormatDefinition.h"
#include "formats/color/Color.h"

#include <QFont>
#include <QPainterPath>
#include <QPointF>

#include <memory>
#include <optional>
#include <string>

class QVFormatProcessor;

// Draws the info box beside the centre pixel: a small rounded box filled with the
// centre pixel's colour, showing in a contrasting colour the current format's name and
// the colour rendered by its display template. The box sits one zoom step right of the
// centre pixel and steps aside near the edges of the screen.
//
// In peek mode the text comes from the display format, rendered by a processor of its
// own with a fixed code style; otherwise from the export format with the application's
// processor.
class QVLensUIInfoRenderer final : public QVBaseRenderer {
public:
    // The integer under "colorInfo".
    enum ColorInfoMode : int { NoColorInfo = 0, FormatNameAndColorText = 1, ColorSwatchOnly = 2 };
    // Shown in place of the colour text when the display template yields none.
    static constexpr const char* kDisplayFormatErrorText = "error in displayFormat";

    QVLensUIInfoRenderer(NJZoomView* image, const std::shared_ptr<LensLayer>& layer);
    ~QVLensUIInfoRenderer() override;

    bool showColorInfo() const { return m_showColorInfo; }
    void setShowColorInfo(bool show);
    bool peekModeActive() const { return m_peekModeActive; }
    void setPeekModeActive(bool active);
    void renderOverlayFormatText();
    long long colorInfo() const { return m_colorInfo; }
    void setColorInfo(long long mode);
    const Color& sRGBColor() const { return m_sRGBColor; }
    void setSRGBColor(const Color& color);
    const std::optional<QVFormatDefinition>& exportFormat() const { return m_exportFormat; }
    // Re-renders only when another format (by name) replaces one, outside peek mode.
    void setExportFormat(const std::optional<QVFormatDefinition>& format);
    const std::optional<QVDisplayFormatDefinition>& displayFormat() const { return m_displayFormat; }
    // Re-renders only when another format (by name) replaces one, in peek mode.
    void setDisplayFormat(const std::optional<QVDisplayFormatDefinition>& format);
    const std::optional<Color>& textColor() const { return m_textColor; }
    void setTextColor(const Color& color);
    void prerenderHeadline();
    void prerenderFormatText();
    // Places the layer for the stored lens centre.
    void updateLayerPosition();
    void updateAll();
    // A new lens centre in global points.
    void setLensCenter(const QPointF& center);
    void updateLayerBounds();
    // Places the layer for a point in global points.
    void updateLayerPosition(const QPointF& point);
    void drawLayer(QPainter& painter, const QRectF& clipBox) override;
    // The rounded box drawn in a layer of that frame, without the shadow's margin.
    static QPainterPath boxOutline(const QRectF& layerFrame);
    // The box with as much around it as its shadow reaches.
    static QPainterPath shadowOutline(const QRectF& layerFrame);
    const std::optional<Color>& backgroundColor() const { return m_backgroundColor; }
    // Only stored: the colour change that comes with it invalidates.
    void setBackgroundColor(const std::optional<Color>& color) { m_backgroundColor = color; }
    QPointF translationPoint() const { return m_translationPoint; }
    void setTranslationPoint(const QPointF& point) { m_translationPoint = point; }
    QVFormatProcessor* exportFormatProcessor() const { return m_exportFormatProcessor; }
    // The application's processor, not owned; it outlives the loupe.
    void setExportFormatProcessor(QVFormatProcessor* processor) { m_exportFormatProcessor = processor; }

    // The rendered colour text; none without a format.
    const std::optional<std::string>& displayText() const { return m_displayText; }
    double headlineWidth() const { return m_headlineWidth; }
    double formatWidth() const { return m_formatWidth; }
    QPointF lensCenter() const { return m_lensCenter; }

private:
    // The shown format's name and template: the display format in peek mode.
    std::optional<std::string> shownName() const;
    QVFormatProcessor* currentProcessor() const;
    std::optional<QVFormatDefinition> currentFormat() const;
    std::optional<QVFormatDefinition> displayFormatDefinition() const;
    void updateCurrentProcessorColor();
    bool stackHasSublayers() const;

    long long m_colorInfo = NoColorInfo;
    bool m_showColorInfo = true;
    bool m_peekModeActive = false;
    Color m_sRGBColor = Color::black();
    std::optional<Color> m_backgroundColor;
    std::optional<Color> m_textColor;
    std::optional<QVFormatDefinition> m_exportFormat;
    std::optional<QVDisplayFormatDefinition> m_displayFormat;
    QVFormatProcessor* m_exportFormatProcessor = nullptr;
    std::unique_ptr<QVFormatProcessor> m_localProcessor;
    QPointF m_lensCenter;
    QPointF m_translationPoint;
    double m_headlineWidth = 0;
    std::optional<std::string> m_displayText;
    double m_formatWidth = 0;
    QFont m_headlineFont;
    QFont m_formatFont;
};
