#pragma once

#include "formats/QVDisplayFormatDefinition.h"
#include "formats/QVFormatDefinition.h"
#include "formats/color/Color.h"

#include <QPointF>
#include <QPointer>
#include <QSizeF>

#include <array>
#include <cstddef>
#include <optional>
#include <string>

class NJZoomView;
class LensLayer;
class QPainter;
class QVFormatProcessor;

// The loupe's renderer as the zoom view sees it. The zoom view owns one and forwards
// its drawing and its value changes here. The base keeps the shared state and does
// nothing for the drawing operations; the layer stack overrides them.
class QVLensBase {
public:
    static constexpr const char* kAttributesChangedNotification = "QVLensAttributesChangedNotification";
    static constexpr std::size_t kHistoryLength = 100;

    explicit QVLensBase(NJZoomView* image = nullptr);
    virtual ~QVLensBase();
    QVLensBase(const QVLensBase&) = delete;
    QVLensBase& operator=(const QVLensBase&) = delete;

    // The zoom view drawn for, held weakly.
    NJZoomView* image() const;
    void setImage(NJZoomView* image);

    // Paints the zoom view's root layer: the magnified capture and every sublayer.
    virtual void draw(QPainter& painter);
    // One of the renderer's layers by name; none here.
    virtual LensLayer* getUILayerByName(const std::string&) const { return nullptr; }
    virtual void redrawAll() {}
    virtual void inValidateLayerStack() {}
    virtual void validateLayerStack() {}
    // The zoom view's backing scale changed.
    virtual void updateLayerBacking() {}
    virtual bool hasSublayers() const { return false; }
    virtual void addAllSubLayers() {}
    virtual void removeAllSubLayers() {}
    virtual void setExportFormatProcessor(QVFormatProcessor* processor);
    // The square that holds the lens with its rim, in points.
    virtual QSizeF lensSize() const { return {}; }
    // The square of the circle the rim ends on, in whole pixels: the window's outline.
    virtual QSizeF rimSize() const { return lensSize(); }
    // A new loupe centre, in global points; recorded in the location history.
    virtual void setLensCenter(const QPointF& center);
    virtual void gestureStarted() {}
    virtual void gestureEnded() {}
    // A zoom, capture or diameter change: posts kAttributesChangedNotification with
    // the zoom view as sender.
    virtual void lensAttributeChanged();

    // Opacity of the white wash of the pick flash, 0..1.
    virtual double alphaBlind() const { return 0.0; }
    virtual void setAlphaBlind(double alpha);

    // The centre pixel's colour as last drawn (after the optional sRGB conversion),
    // and as read from the capture.
    const std::optional<Color>& selectedColor() const { return m_selectedColor; }
    virtual void setSelectedColor(const std::optional<Color>& color) { m_selectedColor = color; }
    const std::optional<Color>& rawColor() const { return m_rawColor; }
    void setRawColor(const std::optional<Color>& color) { m_rawColor = color; }
    bool convertColorToSRGB() const { return m_convertColorToSRGB; }
    void setConvertColorToSRGB(bool convert) { m_convertColorToSRGB = convert; }
    virtual bool peekModeActive() const { return m_peekModeActive; }
    virtual void setPeekModeActive(bool active) { m_peekModeActive = active; }
    // When the pending redraw was asked for, on the scheduler's clock; 0 when none is.
    double startedLoupeRendering() const { return m_startedLoupeRendering; }
    void setStartedLoupeRendering(double time) { m_startedLoupeRendering = time; }
    const std::optional<QVFormatDefinition>& exportFormat() const { return m_exportFormat; }
    virtual void setExportFormat(const std::optional<QVFormatDefinition>& format) { m_exportFormat = format; }
    const std::optional<QVDisplayFormatDefinition>& displayFormat() const { return m_displayFormat; }
    virtual void setDisplayFormat(const std::optional<QVDisplayFormatDefinition>& format) { m_displayFormat = format; }

    // The last lens centres and frame rates, newest first; only the first count hold
    // values.
    const std::array<QPointF, kHistoryLength>& locationHistory() const { return m_locationHistory; }
    int locationHistoryCnt() const { return m_locationHistoryCnt; }
    const std::array<double, kHistoryLength>& frameRateHistory() const { return m_frameRateHistory; }
    int frameRateHistoryCnt() const { return m_frameRateHistoryCnt; }
    void addLocationHistory(const QPointF& location);
    void addFrameRateHistory(double framesPerSecond);

private:
    QPointer<NJZoomView> m_image;
    std::optional<Color> m_selectedColor;
    std::optional<Color> m_rawColor;
    bool m_convertColorToSRGB = false;
    bool m_peekModeActive = false;
    double m_startedLoupeRendering = 0;
    std::optional<QVFormatDefinition> m_exportFormat;
    std::optional<QVDisplayFormatDefinition> m_displayFormat;
    std::array<QPointF, kHistoryLength> m_locationHistory {};
    int m_locationHistoryCnt = 0;
    std::array<double, kHistoryLength> m_frameRateHistory {};
    int m_frameRateHistoryCnt = 0;
};
