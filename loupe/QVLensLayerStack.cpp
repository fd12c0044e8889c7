#include "loupe/QVLensLayerStack.h"

#include "loupe/LensDisc.h"
#include "loupe/LensGeometry.h"
#include "loupe/LensLayer.h"
#include "loupe/NJZoomView.h"
#include "loupe/QVLensDebugOverlay.h"
#include "loupe/QVLensUICursorRenderer.h"
#include "loupe/QVLensUIInfoRenderer.h"
#include "loupe/QVLensUIRenderer.h"
#include "loupe/RowBands.h"

#include "foundation/Scheduler.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// The info box's text stays sharp when the loupe is scaled up.
constexpr double kMinInfoContentsScale = 2.0;

} // namespace

QVLensLayerStack::QVLensLayerStack(NJZoomView* image)
    : QVLensBase(image)
{
    addAllSubLayers();
}

QVLensLayerStack::~QVLensLayerStack() = default;

bool QVLensLayerStack::showPixelGrid() const
{
    return m_uiRenderer->usePixelGrid();
}

void QVLensLayerStack::setShowPixelGrid(bool show)
{
    m_uiRenderer->setUsePixelGrid(show);
}

double QVLensLayerStack::alphaBlind() const
{
    return m_uiRenderer->alphaBlind();
}

void QVLensLayerStack::setAlphaBlind(double alpha)
{
    m_uiRenderer->setAlphaBlind(alpha);
    m_uiRenderer->invalidate();
}

bool QVLensLayerStack::showFocusRect() const
{
    return m_cursorRenderer->showFocusRect();
}

void QVLensLayerStack::setShowFocusRect(bool show)
{
    m_cursorRenderer->setShowFocusRect(show);
}

void QVLensLayerStack::setIndicatorColor(const std::optional<Color>& color)
{
    m_cursorRenderer->setIndicatorColor(color);
}

bool QVLensLayerStack::peekModeActive() const
{
    return m_infoRenderer->peekModeActive();
}

void QVLensLayerStack::setPeekModeActive(bool active)
{
    m_infoRenderer->setPeekModeActive(active);
}

void QVLensLayerStack::setExportFormatProcessor(QVFormatProcessor* processor)
{
    m_infoRenderer->setExportFormatProcessor(processor);
}

bool QVLensLayerStack::showColorInfo() const
{
    return m_infoRenderer->showColorInfo();
}

void QVLensLayerStack::setShowColorInfo(bool show)
{
    m_infoRenderer->setShowColorInfo(show);
}

long long QVLensLayerStack::colorInfo() const
{
    return m_infoRenderer->colorInfo();
}

void QVLensLayerStack::setColorInfo(long long mode)
{
    m_infoRenderer->setColorInfo(mode);
}

void QVLensLayerStack::setExportFormat(const std::optional<QVFormatDefinition>& format)
{
    QVLensBase::setExportFormat(format);
    m_infoRenderer->setExportFormat(format);
}

void QVLensLayerStack::setDisplayFormat(const std::optional<QVDisplayFormatDefinition>& format)
{
    QVLensBase::setDisplayFormat(format);
    m_infoRenderer->setDisplayFormat(format);
}

void QVLensLayerStack::setOpaqueBackground(bool opaque)
{
    m_uiRenderer->setOpaqueBackground(opaque);
}

QSizeF QVLensLayerStack::lensSize() const
{
    return m_uiRenderer->UIDimensions();
}

QSizeF QVLensLayerStack::rimSize() const
{
    return m_uiRenderer->rimDimensions();
}

LensLayer* QVLensLayerStack::getUILayerByName(const std::string& name) const
{
    if (name == kCursorLayerName)
        return m_cursorLayer.get();
    if (name == kUILayerName)
        return m_uiLayer.get();
    if (name == kInfoLayerName)
        return m_infoLayer.get();
    return nullptr;
}

std::shared_ptr<LensLayer> QVLensLayerStack::makeLayer(double contentsScale)
{
    auto layer = std::make_shared<LensLayer>();
    layer->setContentsScale(contentsScale);
    layer->setDisplayRequestHandler([this] {
        NJZoomView* view = image();
        if (view && !m_drawing)
            view->setNeedsDisplay();
    });
    return layer;
}

void QVLensLayerStack::addAllSubLayers()
{
    NJZoomView* view = image();
    const QRectF bounds = view ? QRectF(view->rect()) : QRectF();
    const double scale = backingScale();

    m_uiLayer = makeLayer(scale);
    m_uiLayer->setFrame(bounds);
    if (m_uiRenderer) {
        m_uiRenderer->assignLayer(m_uiLayer);
    } else {
        m_uiRenderer = std::make_unique<QVLensUIRenderer>(view, m_uiLayer);
        m_uiRenderer->setUsePixelGrid(true);
    }
    m_uiLayer->setDelegate(m_uiRenderer.get());

    m_cursorLayer = makeLayer(scale);
    if (m_cursorRenderer) {
        m_cursorRenderer->assignLayer(m_cursorLayer);
    } else {
        m_cursorRenderer = std::make_unique<QVLensUICursorRenderer>(view, m_cursorLayer);
        m_cursorRenderer->setIndicatorColor(Color::black());
        m_cursorRenderer->setShowFocusRect(true);
    }
    m_cursorLayer->setDelegate(m_cursorRenderer.get());
    layoutSublayers();

    m_infoLayer = makeLayer(std::max(scale, kMinInfoContentsScale));
    if (m_infoRenderer) {
        m_infoRenderer->assignLayer(m_infoLayer);
    } else {
        m_infoRenderer = std::make_unique<QVLensUIInfoRenderer>(view, m_infoLayer);
        m_infoRenderer->setSRGBColor(Color::black());
        m_infoRenderer->setColorInfo(QVLensUIInfoRenderer::FormatNameAndColorText);
        m_infoRenderer->setExportFormat(exportFormat());
        m_infoRenderer->setDisplayFormat(displayFormat());
    }
    m_infoLayer->setDelegate(m_infoRenderer.get());

    m_uiRenderer->invalidate();
    m_sublayersInitialized = true;
}

void QVLensLayerStack::layoutSublayers()
{
    const NJZoomView* view = image();
    const QRectF cursorFrame = m_cursorRenderer->layerFrame();
    if (m_cursorLayer->frame() != cursorFrame)
        m_cursorLayer->setFrame(cursorFrame);
    const QRectF bounds = view ? QRectF(view->rect()) : QRectF();
    if (m_uiLayer->frame() != bounds)
        m_uiLayer->setFrame(bounds);
}

void QVLensLayerStack::removeAllSubLayers()
{
    m_uiLayer.reset();
    m_cursorLayer.reset();
    m_infoLayer.reset();
    m_sublayersInitialized = false;
}

void QVLensLayerStack::updateLayerBacking()
{
    if (!m_uiLayer)
        return;
    const double scale = backingScale();
    if (m_uiLayer->contentsScale() == scale)
        return;
    m_uiLayer->setContentsScale(scale);
    m_cursorLayer->setContentsScale(scale);
    m_infoLayer->setContentsScale(std::max(scale, kMinInfoContentsScale));
}

void QVLensLayerStack::setLensCenter(const QPointF& center)
{
    // Moved to a display of another scale.
    if (!m_uiLayer || m_uiLayer->contentsScale() != backingScale())
        inValidateLayerStack();
    QVLensBase::setLensCenter(center);
    m_infoRenderer->setLensCenter(center);
}

void QVLensLayerStack::setSelectedColor(const std::optional<Color>& color)
{
    QVLensBase::setSelectedColor(color);
    if (color)
        m_infoRenderer->setSRGBColor(*color);
    m_infoRenderer->setBackgroundColor(rawColor());
    m_cursorRenderer->setIndicatorColor(rawColor() ? std::optional(rawColor()->invertedSelectColor()) : std::nullopt);
}

void QVLensLayerStack::draw(QPainter& painter)
{
    m_drawing = true;
    if (startedLoupeRendering() == 0)
        setStartedLoupeRendering(Scheduler::current().now());
    NJZoomView* view = image();
    if (view && !view->capturedImg().isNull()) {
        setRawColor(view->centerColor());
        const std::optional<Color>& raw = rawColor();
        if (raw && convertColorToSRGB() && raw->colorSpace() != ColorSpace::SRGB)
            setSelectedColor(raw->getassRGBColor());
        else
            setSelectedColor(raw);
        validateLayerStack();
        drawMagnifiedCapture(painter);
    }
    debuggingInfo(painter);
    setStartedLoupeRendering(0);

    for (const auto& layer : {m_uiLayer, m_cursorLayer, m_infoLayer}) {
        if (!layer)
            continue;
        layer->displayIfNeeded();
        layer->composite(painter);
    }
    m_drawing = false;
}

void QVLensLayerStack::drawMagnifiedCapture(QPainter& painter)
{
    NJZoomView& view = *image();
    const double z = view.zoomFactor();
    const double width = view.width();
    const double height = view.height();
    const double d = std::ceil(view.diameterValue());
    const QSizeF pixels = view.captureImgPixelSize();
    const QPointF offset = view.offset();
    const QRectF lens((width - d) * 0.5, (height - d) * 0.5, d, d);

    // The middle of the picked pixel lands on the centre of the view: the pixel under
    // the pointer, moved by the offset (whose y grows upwards while rows grow down).
    const double column = pixels.width() / 2 + std::round(offset.x());
    const double row = pixels.height() / 2 - std::round(offset.y());
    const QImage& captured = view.capturedImg();
    // Frames that change nothing of this (the pick's flash) lay the last one over again.
    const auto image = static_cast<quint64>(captured.cacheKey());
    const std::vector<double> inputs {z, width, height, column, row, pixels.width(), pixels.height(),
                                      static_cast<double>(image >> 32), static_cast<double>(image & 0xffffffffu)};
    m_lensDisc.drawCut(painter, lens, lens, [&](QPainter& magnified) {
        magnified.translate(width / 2 - z * column - z / 2, height / 2 - z * row - z / 2);
        magnified.scale(z, z);
        const QRectF target(QPointF(), pixels);
        rowbands::paint(magnified, target, [&] { magnified.drawImage(target, captured); });
    }, inputs);
}

void QVLensLayerStack::debuggingInfo(QPainter& painter)
{
    const double elapsed = Scheduler::current().now() - startedLoupeRendering();
    // Two draws on the same clock tick have no measurable rate.
    if (elapsed > 0)
        addFrameRateHistory(1 / elapsed);
    const NJZoomView* view = image();
    if (view && view->debugging())
        QVLensDebugOverlay::draw(painter, *view, *this);
}

void QVLensLayerStack::redrawAll()
{
    inValidateLayerStack();
    m_infoRenderer->updateAll();
    validateLayerStack();
}

void QVLensLayerStack::inValidateLayerStack()
{
    m_uiRenderer->invalidate();
    m_cursorRenderer->invalidate();
    m_infoRenderer->invalidate();
}

void QVLensLayerStack::validateLayerStack()
{
    m_uiRenderer->validate();
    m_cursorRenderer->validate();
    m_infoRenderer->validate();
}

void QVLensLayerStack::lensAttributeChanged()
{
    QVLensBase::lensAttributeChanged();
    m_cursorRenderer->updateLayerFrame();
    m_infoRenderer->updateLayerPosition();
    inValidateLayerStack();
}

void QVLensLayerStack::gestureEnded()
{
    if (NJZoomView* view = image())
        view->setNeedsDisplay();
}

double QVLensLayerStack::backingScale() const
{
    const NJZoomView* view = image();
    return lensgeometry::drawingScale(view ? view->scaleFactor() : 0.0);
}
