#include "uikit/windows/WNJShadowView.h"

#include "uikit/views/ImageBlur.h"
#include "uikit/windows/WNJShadowWindow.h"

#include <QPainter>
#include <QPainterPath>

WNJShadowView::WNJShadowView(WNJShadowWindow* linkedWindow, QWidget* parent)
    : QWidget(parent)
    , m_linkedWindow(linkedWindow)
{
    setAttribute(Qt::WA_TranslucentBackground);
}

const QImage& WNJShadowView::shadowImage()
{
    if (m_shadow.size() == size())
        return m_shadow;
    const double margin = WNJShadowWindow::kShadowMargin;
    QImage casting(size(), QImage::Format_ARGB32_Premultiplied);
    casting.fill(Qt::transparent);
    {
        QPainter painter(&casting);
        painter.setRenderHint(QPainter::Antialiasing);
        // The casting shape is 100 pt shorter than the panel: 50 below, 50 above in
        // the panel's upward frame, which leaves it 15 pt short of the window's bottom.
        QPainterPath shape;
        shape.addRoundedRect(QRectF(margin, margin, width() - 2 * margin, height() - 2 * margin), kCastingRadius,
                             kCastingRadius);
        painter.fillPath(shape, QColor::fromRgbF(0, 0, 0, kShadowAlpha));
    }
    m_shadow = imageblur::blurred(casting, kShadowBlur);
    return m_shadow;
}

void WNJShadowView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(), Qt::transparent);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(0, 0, shadowImage());
    if (!m_linkedWindow)
        return;
    const double margin = WNJShadowWindow::kShadowMargin;
    const double top = WNJShadowWindow::kShadowTopMargin;
    m_linkedWindow->fillWindowBackground(painter, QRectF(margin, top, width() - 2 * margin, height() - margin - top));
}
