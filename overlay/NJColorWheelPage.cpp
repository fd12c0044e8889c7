#include "NJColorWheelPage.h"

#include "overlay/NJColorWheel.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kHexFieldWidth = 110;
// What the line edit keeps beside its text: its margins and the cursor.
constexpr int kHexFieldTextMargins = 5;

QSlider* makeSlider(Qt::Orientation orientation, const QString& name, QWidget* parent)
{
    auto* slider = new QSlider(orientation, parent);
    slider->setObjectName(name);
    slider->setRange(0, NJColorWheelPage::kSteps);
    return slider;
}

int steps(double fraction)
{
    return static_cast<int>(std::lround(fraction * NJColorWheelPage::kSteps));
}

// Hex in the order the program writes everywhere else (#RRGGBBAA), not Qt's #AARRGGBB.
QString hexText(const QColor& color, bool withAlpha)
{
    QString text = color.name(QColor::HexRgb);
    if (withAlpha)
        text += QStringLiteral("%1").arg(color.alpha(), 2, 16, QChar(u'0'));
    return text;
}

QColor colorFromHexText(QString text)
{
    if (!text.startsWith(u'#'))
        text.prepend(u'#');
    if (text.size() == 9)
        text = u'#' + text.right(2) + text.mid(1, 6);
    return QColor::fromString(text);
}

} // namespace

NJColorWheelPage::NJColorWheelPage(QWidget* parent)
    : NJColorPage(parent)
    , m_wheel(new NJColorWheel(this))
    , m_brightness(makeSlider(Qt::Vertical, QStringLiteral("brightnessSlider"), this))
    , m_opacity(makeSlider(Qt::Horizontal, QStringLiteral("opacitySlider"), this))
    , m_opacityLabel(new QLabel(tr("Opacity"), this))
    , m_hex(new QLineEdit(this))
{
    setObjectName(QStringLiteral("colorWheelPage"));
    m_hex->setObjectName(QStringLiteral("hexField"));
    fitHexField();
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(12, 4, 12, 8);
    layout->addWidget(m_wheel, 0, 0, 1, 3);
    layout->addWidget(m_brightness, 0, 3);
    layout->addWidget(m_opacityLabel, 1, 0);
    layout->addWidget(m_opacity, 1, 1, 1, 3);
    layout->addWidget(new QLabel(tr("Hex"), this), 2, 0);
    layout->addWidget(m_hex, 2, 1, Qt::AlignLeft);
    layout->setColumnStretch(2, 1);

    connect(m_wheel, &NJColorWheel::hueSaturationPicked, this, [this](double hue, double saturation) {
        m_hue = hue;
        m_saturation = saturation;
        edited();
    });
    connect(m_brightness, &QSlider::valueChanged, this, [this](int value) {
        m_value = static_cast<double>(value) / kSteps;
        edited();
    });
    connect(m_opacity, &QSlider::valueChanged, this, [this](int value) {
        m_alpha = static_cast<double>(value) / kSteps;
        edited();
    });
    connect(m_hex, &QLineEdit::editingFinished, this, [this] { hexEntered(); });
    showValues();
}

void NJColorWheelPage::changeEvent(QEvent* event)
{
    NJColorPage::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitHexField();
}

void NJColorWheelPage::fitHexField()
{
    // A colour with alpha stays whole in the field under larger fonts.
    QStyleOptionFrame option;
    option.initFrom(m_hex);
    option.lineWidth = m_hex->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, m_hex);
    const QSize text(fontMetrics().horizontalAdvance(QStringLiteral("#00000000")) + kHexFieldTextMargins,
                     fontMetrics().height());
    const int fitting = m_hex->style()->sizeFromContents(QStyle::CT_LineEdit, &option, text, m_hex).width();
    m_hex->setMaximumWidth(std::max(kHexFieldWidth, fitting));
}

void NJColorWheelPage::setColor(const QColor& color)
{
    const QColor hsv = color.toHsv();
    if (hsv.hsvHueF() >= 0)
        m_hue = hsv.hsvHueF();
    if (hsv.valueF() > 0)
        m_saturation = hsv.hsvSaturationF();
    m_value = hsv.valueF();
    m_alpha = hsv.alphaF();
    showValues();
}

void NJColorWheelPage::setShowsAlpha(bool shows)
{
    m_showsAlpha = shows;
    m_opacity->setVisible(shows);
    m_opacityLabel->setVisible(shows);
    showValues();
}

QColor NJColorWheelPage::currentColor() const
{
    return QColor::fromHsvF(static_cast<float>(std::min(m_hue, 0.9999)), static_cast<float>(m_saturation),
                            static_cast<float>(m_value), static_cast<float>(m_showsAlpha ? m_alpha : 1.0));
}

void NJColorWheelPage::showValues()
{
    const QSignalBlocker brightness(m_brightness);
    const QSignalBlocker opacity(m_opacity);
    m_wheel->setHsv(m_hue, m_saturation, m_value);
    m_brightness->setValue(steps(m_value));
    m_opacity->setValue(steps(m_alpha));
    // What the user is typing stays until it is entered.
    if (!m_hex->isModified()) {
        const QColor color = currentColor();
        m_hex->setText(hexText(color, m_showsAlpha && color.alpha() < 255));
    }
}

void NJColorWheelPage::edited()
{
    showValues();
    emit colorEdited(currentColor());
}

void NJColorWheelPage::hexEntered()
{
    // Leaving the field untouched changes nothing.
    if (!m_hex->isModified())
        return;
    const QColor color = colorFromHexText(m_hex->text().trimmed());
    // A value that does not read as a colour gives way to the colour in force.
    m_hex->setModified(false);
    if (!color.isValid() || color.rgba() == currentColor().rgba()) {
        showValues();
        return;
    }
    setColor(color);
    emit colorEdited(currentColor());
}
