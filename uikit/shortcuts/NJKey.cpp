#include "uikit/shortcuts/NJKey.h"

#include "uikit/shortcuts/NJModifierKey.h"
#include "uikit/shortcuts/NJShortcutView.h"
#include "uikit/shortcuts/ShortcutColors.h"
#include "uikit/views/ViewAdditions.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kInset = 3.0;
constexpr double kCornerRadius = 2.0;

NJKey::TextAttributes makeTextAttributes(int pixelSize)
{
    QFont font;
    // Grown with the rest of the text where the user's font settings make it larger.
    font.setPixelSize(viewadditions::scaledPixelSize(pixelSize));
    // Single-precision values, as the cap colours were chosen.
    return {font, QColor::fromRgbF(0.165f, 0.165f, 0.165f, 1.0f), QPointF(0, 1), QColor::fromRgbF(1, 1, 1, 0.6f)};
}

} // namespace

NJKey::NJKey(QWidget* parent)
    : QWidget(parent)
{
}

NJKey::NJKey(const QString& string, QWidget* parent)
    : QWidget(parent)
    , m_stringValue(string)
    , m_prettyStringValue(capitalized(string))
{
}

NJKey::NJKey(std::uint16_t keyCode, QWidget* parent)
    : QWidget(parent)
    , m_keyCode(keyCode)
{
}

NJKey* NJKey::keyFromString(const QString& string, QWidget* parent)
{
    const QString name = string.toLower();
    if (name == QLatin1String("ctl") || name == QLatin1String("ctrl") || name == QLatin1String("control"))
        return new NJKeyControl(parent);
    if (name == QLatin1String("cmd") || name == QLatin1String("command"))
        return new NJKeyCommand(parent);
    if (name == QLatin1String("opt") || name == QLatin1String("option"))
        return new NJKeyOption(parent);
    if (name == QLatin1String("shift"))
        return new NJKeyShift(parent);
    return new NJKey(name, parent);
}

NJKey* NJKey::keyFromCode(std::uint16_t keyCode, QWidget* parent)
{
    switch (keyCode) {
    case 55:
        return new NJKeyCommand(parent);
    case 56:
    case 60:
        return new NJKeyShift(parent);
    case 58:
    case 61:
        return new NJKeyOption(parent);
    case 59:
    case 62:
        return new NJKeyControl(parent);
    default:
        return new NJKey(keyCode, parent);
    }
}

QString NJKey::capitalized(const QString& string)
{
    QString result = string;
    bool wordStart = true;
    for (QChar& character : result) {
        character = wordStart ? character.toUpper() : character.toLower();
        wordStart = !character.isLetterOrNumber();
    }
    return result;
}

const NJKey::TextAttributes& NJKey::textAttributes()
{
    static const TextAttributes attributes = makeTextAttributes(11);
    return attributes;
}

const NJKey::TextAttributes& NJKey::largeTextAttributes()
{
    static const TextAttributes attributes = makeTextAttributes(13);
    return attributes;
}

int NJKey::fittingWidth(int side) const
{
    // Room between the text and the cap's border, a quarter of the text's height.
    const QFontMetrics metrics(largeTextAttributes().font);
    const int padding = metrics.height() / 4;
    const int text = metrics.horizontalAdvance(prettyStringValue());
    return std::max(side, text + 2 * (static_cast<int>(kInset) + 1 + padding));
}

void NJKey::drawKeyBackground(QPainter& painter, const QRectF& rect)
{
    // Drawn for a cap, whose window's ground decides the colours.
    const auto* widget = dynamic_cast<const QWidget*>(painter.device());
    const ShortcutColors colors = ShortcutColors::forPalette(widget ? widget->palette() : QGuiApplication::palette());
    const QRectF cap = rect.adjusted(kInset, kInset, -kInset, -kInset);
    QPainterPath path;
    path.addRoundedRect(cap, kCornerRadius, kCornerRadius);
    QLinearGradient gradient(cap.topLeft(), cap.bottomLeft());
    gradient.setColorAt(0, colors.capTop);
    gradient.setColorAt(1, colors.capBottom);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(path, gradient);
    painter.strokePath(path, QPen(colors.capStroke, 1.0));
    QPainterPath edge;
    edge.addRoundedRect(cap.adjusted(0.5, 0.5, -0.5, -0.5), kCornerRadius, kCornerRadius);
    painter.strokePath(edge, QPen(colors.capEdge, 1.0));
    painter.restore();
}

void NJKey::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const auto* recorder = qobject_cast<const NJShortcutView*>(parentWidget());
    if (recorder && recorder->onDrawButtonBackground())
        recorder->onDrawButtonBackground()(painter, QRectF(rect()));
    else
        drawKeyBackground(painter, QRectF(rect()));

    const QString text = prettyStringValue();
    if (text.isEmpty())
        return;
    const TextAttributes& attributes = largeTextAttributes();
    const ShortcutColors colors = ShortcutColors::forPalette(palette());
    const QRectF textRect = QRectF(rect()).adjusted(kInset, kInset, -kInset, -kInset);
    // Capitals are centred, so every name stands on one baseline whatever its
    // descenders ("Super", "Space").
    const QFontMetricsF metrics(attributes.font);
    const QRectF ink = metrics.tightBoundingRect(text);
    const QPointF baseline(std::round(textRect.center().x() - ink.center().x()),
                           std::round(textRect.center().y() + metrics.capHeight() / 2));
    painter.setFont(attributes.font);
    painter.setPen(colors.capTextShadow);
    painter.drawText(baseline + attributes.shadowOffset, text);
    painter.setPen(colors.capText);
    painter.drawText(baseline, text);
}
