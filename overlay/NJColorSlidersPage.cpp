#include "NJColorSlidersPage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>

#include <cmath>

namespace {

struct Channel {
    const char* name;
    int maximum;
};

// The channels of each model; the last row is always opacity in percent.
constexpr std::array<std::array<Channel, 4>, 4> kModels {{
    {{{"Gray", 100}, {nullptr, 0}, {nullptr, 0}, {nullptr, 0}}},
    {{{"Red", 255}, {"Green", 255}, {"Blue", 255}, {nullptr, 0}}},
    {{{"Cyan", 100}, {"Magenta", 100}, {"Yellow", 100}, {"Black", 100}}},
    {{{"Hue", 359}, {"Saturation", 100}, {"Brightness", 100}, {nullptr, 0}}},
}};
constexpr int kOpacityRow = NJColorSlidersPage::kChannels - 1;
constexpr int kPercent = 100;
// Weights of red, green and blue in the grey of a colour.
constexpr double kRedWeight = 0.299;
constexpr double kGreenWeight = 0.587;
constexpr double kBlueWeight = 0.114;

int percent(double fraction)
{
    return static_cast<int>(std::lround(fraction * kPercent));
}

float fraction(int value, int maximum)
{
    return static_cast<float>(value) / static_cast<float>(maximum);
}

} // namespace

NJColorSlidersPage::NJColorSlidersPage(QWidget* parent)
    : NJColorPage(parent)
    , m_chooser(new QComboBox(this))
{
    setObjectName(QStringLiteral("colorSlidersPage"));
    m_chooser->setObjectName(QStringLiteral("modelComboBox"));
    m_chooser->addItems({tr("Gray Scale"), tr("RGB"), tr("CMYK"), tr("HSB")});
    m_chooser->setCurrentIndex(m_model);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->addWidget(m_chooser, 0, 0, 1, 3, Qt::AlignHCenter);
    for (int channel = 0; channel < kChannels; ++channel) {
        Row& row = m_rows[static_cast<std::size_t>(channel)];
        row.label = new QLabel(this);
        row.slider = new QSlider(Qt::Horizontal, this);
        row.field = new QSpinBox(this);
        row.slider->setObjectName(QStringLiteral("channelSlider%1").arg(channel));
        layout->addWidget(row.label, channel + 1, 0);
        layout->addWidget(row.slider, channel + 1, 1);
        layout->addWidget(row.field, channel + 1, 2);
        connect(row.slider, &QSlider::valueChanged, this, [this, channel](int value) { channelEdited(channel, value); });
        connect(row.field, &QSpinBox::valueChanged, this, [this, channel](int value) { channelEdited(channel, value); });
    }
    layout->setRowStretch(kChannels + 1, 1);
    connect(m_chooser, &QComboBox::currentIndexChanged, this,
            [this](int index) { setModel(static_cast<Model>(index)); });
    layoutRows();
}

void NJColorSlidersPage::setModel(Model model)
{
    m_model = model;
    const QSignalBlocker blocker(m_chooser);
    m_chooser->setCurrentIndex(model);
    layoutRows();
}

void NJColorSlidersPage::setShowsAlpha(bool shows)
{
    m_showsAlpha = shows;
    layoutRows();
}

void NJColorSlidersPage::layoutRows()
{
    const auto& channels = kModels[static_cast<std::size_t>(m_model)];
    for (int channel = 0; channel < kChannels; ++channel) {
        Row& row = m_rows[static_cast<std::size_t>(channel)];
        const bool opacity = channel == kOpacityRow;
        const Channel rowChannel = opacity ? Channel {"Opacity", kPercent} : channels[static_cast<std::size_t>(channel)];
        const bool shown = opacity ? m_showsAlpha : rowChannel.name != nullptr;
        for (QWidget* widget : {static_cast<QWidget*>(row.label), static_cast<QWidget*>(row.slider),
                                static_cast<QWidget*>(row.field)})
            widget->setVisible(shown);
        if (!shown)
            continue;
        const QSignalBlocker slider(row.slider);
        const QSignalBlocker field(row.field);
        row.label->setText(tr(rowChannel.name));
        row.slider->setRange(0, rowChannel.maximum);
        row.field->setRange(0, rowChannel.maximum);
    }
    showValues();
}

std::array<int, NJColorSlidersPage::kChannels> NJColorSlidersPage::valuesOf(const QColor& color) const
{
    std::array<int, kChannels> values {};
    switch (m_model) {
    case Gray:
        values[0] = percent(kRedWeight * color.redF() + kGreenWeight * color.greenF() + kBlueWeight * color.blueF());
        break;
    case RGB:
        values = {color.red(), color.green(), color.blue(), 0, 0};
        break;
    case CMYK: {
        const QColor cmyk = color.toCmyk();
        values = {percent(cmyk.cyanF()), percent(cmyk.magentaF()), percent(cmyk.yellowF()), percent(cmyk.blackF()), 0};
        break;
    }
    case HSB: {
        const QColor hsv = color.toHsv();
        const int hue = hsv.hsvHue() >= 0 ? hsv.hsvHue() : static_cast<int>(std::lround(m_hue * 360)) % 360;
        values = {hue, percent(hsv.hsvSaturationF()), percent(hsv.valueF()), 0, 0};
        break;
    }
    }
    values[kOpacityRow] = percent(color.alphaF());
    return values;
}

void NJColorSlidersPage::showValues()
{
    const std::array<int, kChannels> values = valuesOf(m_color);
    for (int channel = 0; channel < kChannels; ++channel) {
        Row& row = m_rows[static_cast<std::size_t>(channel)];
        const QSignalBlocker slider(row.slider);
        const QSignalBlocker field(row.field);
        row.slider->setValue(values[static_cast<std::size_t>(channel)]);
        row.field->setValue(values[static_cast<std::size_t>(channel)]);
    }
}

QColor NJColorSlidersPage::colorFromValues() const
{
    const auto value = [this](int channel) { return m_rows[static_cast<std::size_t>(channel)].slider->value(); };
    const float alpha = m_showsAlpha ? fraction(value(kOpacityRow), kPercent) : 1.0F;
    switch (m_model) {
    case Gray: {
        const float gray = fraction(value(0), kPercent);
        return QColor::fromRgbF(gray, gray, gray, alpha);
    }
    case RGB:
        return QColor::fromRgbF(fraction(value(0), 255), fraction(value(1), 255), fraction(value(2), 255), alpha)
            .toRgb();
    case CMYK:
        return QColor::fromCmykF(fraction(value(0), kPercent), fraction(value(1), kPercent),
                                 fraction(value(2), kPercent), fraction(value(3), kPercent), alpha)
            .toRgb();
    case HSB:
        return QColor::fromHsvF(fraction(value(0), 360), fraction(value(1), kPercent), fraction(value(2), kPercent),
                                alpha)
            .toRgb();
    }
    return m_color;
}

void NJColorSlidersPage::channelEdited(int channel, int value)
{
    Row& row = m_rows[static_cast<std::size_t>(channel)];
    {
        const QSignalBlocker slider(row.slider);
        const QSignalBlocker field(row.field);
        row.slider->setValue(value);
        row.field->setValue(value);
    }
    if (m_model == HSB && channel == 0)
        m_hue = static_cast<double>(value) / 360;
    m_color = colorFromValues();
    emit colorEdited(m_color);
}

void NJColorSlidersPage::setColor(const QColor& color)
{
    m_color = color.toRgb();
    if (const double hue = color.toHsv().hsvHueF(); hue >= 0)
        m_hue = hue;
    showValues();
}
