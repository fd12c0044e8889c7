#include "loupe/QVLensUIInfoRenderer.h"

#include "loupe/BoxShadow.h"
#include "loupe/LensGeometry.h"
#include "loupe/LensLayer.h"
#include "loupe/NJZoomView.h"
#include "loupe/LensColor.h"
#include "uikit/windows/CustomWindow.h"
#include "uikit/application/NJApplication.h"

#include "formats/processor/QVFormatProcessor.h"
#include "foundation/Dictionary.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Points; the headline uses the size of the system's labels.
constexpr int kHeadlineFontSize = 10;
constexpr int kFormatFontSize = 9;
// Text is measured within this square.
constexpr double kMeasureSize = 500;
constexpr double kBoxHeight = 49;
constexpr double kSwatchSide = 49;
constexpr double kOtherModeSide = 16;
// The layer's margin around the box (room for the shadow), then the box's own.
constexpr double kShadowMargin = 8;
constexpr double kBoxPadding = 16;
constexpr double kCornerRadius = 3.0;
constexpr double kShadowBlur = 4.0;
constexpr double kShadowAlpha = 0.35;
// Near the top or bottom of the screen the box moves by at most this much.
constexpr double kEdgeDistance = 30;
// Within the text width and this much of the screen's right edge, the box flips left.
constexpr double kFlipMargin = 24;
constexpr double kMaxEdgeShift = 20;

const QPointF kNoPoint(-std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity());

// QPointF's own comparison is fuzzy and never equal for infinite coordinates.
bool samePoint(const QPointF& a, const QPointF& b)
{
    return a.x() == b.x() && a.y() == b.y();
}

QFont systemFont(int pixelSize)
{
    QFont font = QApplication::font();
    font.setPixelSize(pixelSize);
    return font;
}

double measuredWidth(const QFont& font, const std::string& text)
{
    // Nothing to measure: the font is not loaded for it.
    if (text.empty())
        return 0;
    return QFontMetricsF(font)
        .boundingRect(QRectF(0, 0, kMeasureSize, kMeasureSize), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                      QString::fromStdString(text))
        .width();
}

// The peek mode's processor prints hex without prefix and decimals with three places,
// keeping leading and trailing zeros, whatever the user's code style says.
Value peekCodeStyle()
{
    return Value(Dictionary{
        {"hex", Value(Dictionary{{"usePrefix", Value::integer(0)}})},
        {"decimal",
         Value(Dictionary{{"precision", Value::integer(3)},
                          {"removeLeadingZero", Value::integer(0)},
                          {"removeTrailingZeroes", Value::integer(0)},
                          {"useFractions", Value::integer(0)},
                          {"useSuffix", Value::integer(0)},
                          {"shortenOneAndZero", Value::integer(0)}})},
    });
}

BoxShadow& sharedShadow()
{
    static BoxShadow shadow(kShadowBlur);
    return shadow;
}

std::optional<ScreenInfo> screenFor(const QPointF& point)
{
    const NJApplication* application = NJApplication::sharedApplication();
    return application ? application->getScreenFromMousePoint(point) : std::nullopt;
}

} // namespace

QVLensUIInfoRenderer::QVLensUIInfoRenderer(NJZoomView* image, const std::shared_ptr<LensLayer>& layer)
    : QVBaseRenderer(image, layer)
    , m_localProcessor(std::make_unique<QVFormatProcessor>())
    , m_lensCenter(kNoPoint)
    , m_translationPoint(kNoPoint)
    , m_headlineFont(systemFont(kHeadlineFontSize))
    , m_formatFont(systemFont(kFormatFontSize))
{
    m_localProcessor->applyCodeStyle(peekCodeStyle());
    m_localProcessor->updateColorValuesWithColor(Color::sRGB(1, 1, 1, 0));
}

QVLensUIInfoRenderer::~QVLensUIInfoRenderer() = default;

void QVLensUIInfoRenderer::setShowColorInfo(bool show)
{
    if (show == m_showColorInfo)
        return;
    m_showColorInfo = show;
    updateLayerBounds();
    updateLayerPosition(m_lensCenter);
    updateLayer();
}

void QVLensUIInfoRenderer::setPeekModeActive(bool active)
{
    if (active == m_peekModeActive)
        return;
    m_localProcessor->updateColorValuesWithColor(m_sRGBColor, displayFormatDefinition());
    if (m_exportFormatProcessor)
        m_exportFormatProcessor->updateColorValuesWithColor(m_sRGBColor, m_exportFormat);
    m_peekModeActive = active;
    renderOverlayFormatText();
}

void QVLensUIInfoRenderer::renderOverlayFormatText()
{
    prerenderHeadline();
    prerenderFormatText();
    updateLayerBounds();
    updateLayerPosition(m_lensCenter);
    updateLayer();
}

void QVLensUIInfoRenderer::setColorInfo(long long mode)
{
    if (mode == m_colorInfo)
        return;
    m_colorInfo = mode;
    updateAll();
}

void QVLensUIInfoRenderer::setSRGBColor(const Color& color)
{
    const bool changed = !color.isEqual(m_sRGBColor);
    m_sRGBColor = color;
    if (changed || !m_displayText) {
        updateCurrentProcessorColor();
        if (stackHasSublayers()) {
            prerenderFormatText();
            updateLayerBounds();
            updateLayerPosition();
        }
    }
    // A first colour equal to the initial black still needs its contrast colour.
    if (changed || !m_textColor) {
        setTextColor(color.invertedSelectColor());
        invalidate();
    }
}

void QVLensUIInfoRenderer::setExportFormat(const std::optional<QVFormatDefinition>& format)
{
    const std::optional<QVFormatDefinition> previous = m_exportFormat;
    m_exportFormat = format;
    if (previous && (!format || previous->name() != format->name()) && !m_peekModeActive)
        renderOverlayFormatText();
}

void QVLensUIInfoRenderer::setDisplayFormat(const std::optional<QVDisplayFormatDefinition>& format)
{
    const std::optional<QVDisplayFormatDefinition> previous = m_displayFormat;
    m_displayFormat = format;
    if (previous && (!format || previous->name() != format->name()) && m_peekModeActive)
        renderOverlayFormatText();
}

void QVLensUIInfoRenderer::setTextColor(const Color& color)
{
    if (!m_textColor || !m_textColor->isEqual(color))
        m_textColor = color;
}

void QVLensUIInfoRenderer::prerenderHeadline()
{
    m_headlineWidth = measuredWidth(m_headlineFont, shownName().value_or("")) + 2;
}

void QVLensUIInfoRenderer::prerenderFormatText()
{
    const std::optional<QVFormatDefinition> format = currentFormat();
    if (!format) {
        m_displayText.reset();
        m_formatWidth = 0;
        return;
    }
    const QVFormatProcessor* processor = currentProcessor();
    std::optional<std::string> text;
    if (processor)
        text = processor->renderFormat(format->displayFormat());
    m_displayText = text.value_or(kDisplayFormatErrorText);
    m_formatWidth = measuredWidth(m_formatFont, *m_displayText);
}

void QVLensUIInfoRenderer::updateLayerPosition()
{
    updateLayerPosition(m_lensCenter);
}

void QVLensUIInfoRenderer::updateAll()
{
    updateLayerPosition();
    renderOverlayFormatText();
}

void QVLensUIInfoRenderer::setLensCenter(const QPointF& center)
{
    if (samePoint(center, m_lensCenter))
        return;
    m_lensCenter = center;
    const QPointF previous = m_translationPoint;
    updateLayerPosition(center);
    if (!samePoint(previous, m_translationPoint))
        invalidate();
}

void QVLensUIInfoRenderer::updateLayerBounds()
{
    QSizeF size;
    if (m_colorInfo == NoColorInfo || !m_showColorInfo)
        size = QSizeF(0, 0);
    else if (m_colorInfo == FormatNameAndColorText)
        size = QSizeF(2 * std::trunc(std::max(m_formatWidth, m_headlineWidth) / 2) + 2 * kBoxPadding, kBoxHeight);
    else if (m_colorInfo == ColorSwatchOnly)
        size = QSizeF(kSwatchSide, kSwatchSide);
    else
        size = QSizeF(kOtherModeSide, kOtherModeSide);
    const auto current = layer();
    if (current && current->bounds().size() != size)
        current->setBoundsSize(size);
}

void QVLensUIInfoRenderer::updateLayerPosition(const QPointF& point)
{
    const NJZoomView* view = image();
    if (!view)
        return;
    const std::optional<ScreenInfo> screen = screenFor(point);
    const QSizeF screenSize = screen ? screen->frame.size() : QSizeF();
    const QPointF local = CustomWindow::pointToScreenPosition(m_lensCenter, screen);
    const auto current = layer();
    const double layerWidth = current ? current->bounds().width() : 0;

    const double step = std::trunc(view->zoomFactor() + layerWidth / 2);
    const double textWidth = std::max(m_formatWidth, m_headlineWidth);
    const double shiftX = local.x() > screenSize.width() - (textWidth + kFlipMargin) ? -step : step;
    // Upwards, as on the screen's own axis.
    double shiftUp = 0;
    if (local.y() + kEdgeDistance > screenSize.height())
        shiftUp = std::trunc(std::min(kMaxEdgeShift, 2 * (local.y() + kEdgeDistance - screenSize.height())));
    if (local.y() - kEdgeDistance < 0)
        shiftUp = std::trunc(std::max(2 * (local.y() - kEdgeDistance), -kMaxEdgeShift));

    const QPointF center = lensgeometry::halfPointCenter(QRectF(QPointF(), QSizeF(view->size())));
    m_translationPoint = QPointF(center.x() + shiftX, center.y() - shiftUp);
    if (!current)
        return;
    // The box's edges on whole pixels: a box of odd height centred on a whole point would
    // straddle two rows at its top and bottom, half painted.
    const QSizeF size = current->bounds().size();
    m_translationPoint = QPointF(std::floor(m_translationPoint.x() - size.width() / 2) + size.width() / 2,
                                 std::floor(m_translationPoint.y() - size.height() / 2) + size.height() / 2);
    current->setPosition(m_translationPoint);
}

namespace {

QPainterPath roundedBox(const QRectF& layerFrame, double grow)
{
    const double inset = kShadowMargin + 1 - grow;
    const QRectF box = layerFrame.adjusted(inset, inset, -inset, -inset);
    QPainterPath outline;
    if (box.width() > 2 * grow && box.height() > 2 * grow)
        outline.addRoundedRect(box, kCornerRadius + grow, kCornerRadius + grow);
    return outline;
}

} // namespace

QPainterPath QVLensUIInfoRenderer::boxOutline(const QRectF& layerFrame)
{
    return roundedBox(layerFrame, 0);
}

QPainterPath QVLensUIInfoRenderer::shadowOutline(const QRectF& layerFrame)
{
    return roundedBox(layerFrame, kShadowBlur);
}

void QVLensUIInfoRenderer::drawLayer(QPainter& painter, const QRectF& clipBox)
{
    if (samePoint(m_lensCenter, kNoPoint))
        return;
    QVBaseRenderer::drawLayer(painter, clipBox);
    const QRectF content = clipBox.adjusted(kShadowMargin, kShadowMargin, -kShadowMargin, -kShadowMargin);
    const QPainterPath outline = boxOutline(clipBox);
    if (!outline.isEmpty()) {
        painter.setRenderHint(QPainter::Antialiasing, true);
        BoxShadow& shadow = sharedShadow();
        shadow.setColor(QColor::fromRgbF(0, 0, 0, kShadowAlpha));
        shadow.draw(painter, outline.boundingRect(), kCornerRadius);
        if (m_backgroundColor)
            painter.fillPath(outline, lenscolor::toQColor(*m_backgroundColor));
    }
    if (m_colorInfo != FormatNameAndColorText)
        return;

    // Both lines are laid out from the bottom of the box, as the box was designed.
    QRectF lines = content;
    lines.setWidth(kMeasureSize);
    lines.adjust(5, 6, -5, -6);
    const double lineHeight = lines.height();
    const double x = std::trunc(lines.x());
    const QRectF nameRect = lensgeometry::flipped(QRectF(x, lineHeight - 5, lines.width(), lineHeight), clipBox.height());
    const QRectF textRect = lensgeometry::flipped(QRectF(x, 3.0, lines.width(), lineHeight), clipBox.height());
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    painter.setPen(m_textColor ? lenscolor::toQColor(*m_textColor) : QColor(Qt::black));
    painter.setFont(m_headlineFont);
    painter.drawText(nameRect, flags, QString::fromStdString(shownName().value_or("")));
    if (m_displayText) {
        painter.setFont(m_formatFont);
        painter.drawText(textRect, flags, QString::fromStdString(*m_displayText));
    }
}

std::optional<std::string> QVLensUIInfoRenderer::shownName() const
{
    if (m_peekModeActive)
        return m_displayFormat ? std::optional(m_displayFormat->name()) : std::nullopt;
    return m_exportFormat ? std::optional(m_exportFormat->name()) : std::nullopt;
}

QVFormatProcessor* QVLensUIInfoRenderer::currentProcessor() const
{
    return m_peekModeActive ? m_localProcessor.get() : m_exportFormatProcessor;
}

std::optional<QVFormatDefinition> QVLensUIInfoRenderer::currentFormat() const
{
    return m_peekModeActive ? displayFormatDefinition() : m_exportFormat;
}

std::optional<QVFormatDefinition> QVLensUIInfoRenderer::displayFormatDefinition() const
{
    // A display format renders like an export format that has only a name and a template.
    if (!m_displayFormat)
        return std::nullopt;
    return QVFormatDefinition(m_displayFormat->dictionary());
}

void QVLensUIInfoRenderer::updateCurrentProcessorColor()
{
    if (QVFormatProcessor* processor = currentProcessor())
        processor->updateColorValuesWithColor(m_sRGBColor, currentFormat());
}

bool QVLensUIInfoRenderer::stackHasSublayers() const
{
    const NJZoomView* view = image();
    return view && view->renderer() && view->renderer()->hasSublayers();
}
