#include "uikit/views/NJBlurEffectView.h"

#include "uikit/views/ImageBlur.h"

#include <QGraphicsEffect>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr float kDefaultBlurRadius = 20;
constexpr float kDefaultSaturation = 2;
constexpr double kDefaultTintAlpha = 0.7;

struct Treatment {
    double radius = 0;
    double saturation = 1;
};

Treatment treatmentOf(const std::vector<NJBlurEffectView::Filter>& filters)
{
    Treatment treatment;
    for (const auto& filter : filters) {
        if (filter.name == NJBlurEffectView::kBlurFilterName)
            treatment.radius = filter.value;
        else if (filter.name == NJBlurEffectView::kSaturationFilterName)
            treatment.saturation = filter.value;
    }
    return treatment;
}

// Moves each colour away from (or towards) its luma, then blurs.
QImage treated(QImage image, const Treatment& treatment)
{
    image = image.convertToFormat(QImage::Format_ARGB32);
    if (treatment.saturation != 1) {
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = line[x];
                const double luma = 0.2125 * qRed(pixel) + 0.7154 * qGreen(pixel) + 0.0721 * qBlue(pixel);
                auto channel = [&](int value) {
                    return std::clamp(static_cast<int>(std::lround(luma + treatment.saturation * (value - luma))), 0,
                                      255);
                };
                line[x] = qRgba(channel(qRed(pixel)), channel(qGreen(pixel)), channel(qBlue(pixel)), qAlpha(pixel));
            }
        }
    }
    return imageblur::blurred(image, treatment.radius);
}

// The view's own content, treated.
class ContentEffect final : public QGraphicsEffect {
public:
    explicit ContentEffect(const Treatment& treatment)
        : m_treatment(treatment)
    {
    }

protected:
    void draw(QPainter* painter) override
    {
        QPoint offset;
        const QPixmap source = sourcePixmap(Qt::DeviceCoordinates, &offset, QGraphicsEffect::PadToEffectiveBoundingRect);
        painter->save();
        painter->setWorldTransform(QTransform());
        painter->drawImage(offset, treated(source.toImage(), m_treatment));
        painter->restore();
    }

private:
    Treatment m_treatment;
};

} // namespace

NJBlurEffectView::NJBlurEffectView(QWidget* parent)
    : QWidget(parent)
{
    setupUI();
}

void NJBlurEffectView::setupUI()
{
    m_blurRadius = kDefaultBlurRadius;
    m_saturationFactor = kDefaultSaturation;
    setTintColor(QColor::fromRgbF(1, 1, 1, static_cast<float>(kDefaultTintAlpha)));
    assignFilters();
}

void NJBlurEffectView::setTintColor(std::optional<QColor> color)
{
    m_tintColor = std::move(color);
    update();
}

void NJBlurEffectView::setBlurRadius(float radius)
{
    m_blurRadius = radius;
    resetBlurFilter();
    assignFilters();
}

void NJBlurEffectView::setSaturationFactor(float factor)
{
    m_saturationFactor = factor;
    resetSaturationFilter();
    assignFilters();
}

void NJBlurEffectView::setBlurRadius(float radius, float factor)
{
    m_blurRadius = radius;
    m_saturationFactor = factor;
    resetBlurFilter();
    resetSaturationFilter();
    assignFilters();
}

void NJBlurEffectView::setBlurRadiusSaturationFactor(const QPointF& value)
{
    setBlurRadius(static_cast<float>(value.x()), static_cast<float>(value.y()));
}

void NJBlurEffectView::setAsBackgroundFilters(bool background)
{
    if (background == m_asBackgroundFilters)
        return;
    m_asBackgroundFilters = background;
    assignFilters();
}

void NJBlurEffectView::resetBlurFilter()
{
    m_blurFilter = Filter {kBlurFilterName, kBlurKey, m_blurRadius};
}

void NJBlurEffectView::resetSaturationFilter()
{
    m_saturationFilter = Filter {kSaturationFilterName, kSaturationKey, m_saturationFactor};
}

void NJBlurEffectView::assignFilters()
{
    std::vector<Filter> filters;
    if (m_blurFilter)
        filters.push_back(*m_blurFilter);
    if (m_saturationFilter)
        filters.push_back(*m_saturationFilter);
    if (m_asBackgroundFilters) {
        m_backgroundFilters = std::move(filters);
    } else {
        m_contentFilters = std::move(filters);
        // Filters that change nothing cost a pass over every paint: they get no effect.
        const Treatment treatment = treatmentOf(m_contentFilters);
        const bool identity = treatment.radius <= 0 && treatment.saturation == 1;
        setGraphicsEffect(identity ? nullptr : new ContentEffect(treatment));
    }
    update();
}

void NJBlurEffectView::clearFilters()
{
    m_blurFilter.reset();
    m_saturationFilter.reset();
    assignFilters();
}

void NJBlurEffectView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!m_backgroundFilters.empty() && parentWidget()) {
        // What the parent paints behind the view, without its other children.
        QImage behind(size(), QImage::Format_ARGB32_Premultiplied);
        behind.fill(Qt::transparent);
        parentWidget()->render(&behind, QPoint(), QRegion(geometry()), QWidget::DrawWindowBackground);
        painter.drawImage(0, 0, treated(behind, treatmentOf(m_backgroundFilters)));
    }
    if (m_tintColor)
        painter.fillRect(rect(), *m_tintColor);
}
