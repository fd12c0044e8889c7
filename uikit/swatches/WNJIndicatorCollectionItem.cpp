#include "uikit/swatches/WNJIndicatorCollectionItem.h"

#include "uikit/views/ImageBlur.h"
#include "uikit/application/QtColor.h"
#include "uikit/swatches/WNJICItemView.h"
#include "uikit/swatches/WNJIndicatorCollectionView.h"

#include "foundation/Log.h"
#include "foundation/Scheduler.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPolygonF>
#include <QPushButton>

namespace {

constexpr const char* kNotSet = "Not set!";
constexpr double kEdgeAlpha = 0.35;
constexpr double kShadowBlur = 4.0;
constexpr double kShadowAlpha = 0.4;
constexpr double kLightColorLimit = 0.2;
constexpr double kBottomLineWidth = 0.75;
constexpr double kBottomLineAlpha = 0.125;
constexpr int kBlinkSteps = 3;

} // namespace

WNJIndicatorCollectionItem::WNJIndicatorCollectionItem(WNJIndicatorCollectionView* collectionView,
                                                       WNJICItemView* view)
    : m_collectionView(collectionView)
    , m_view(view)
{
}

WNJIndicatorCollectionItem::~WNJIndicatorCollectionItem() = default;

QPushButton* WNJIndicatorCollectionItem::button() const
{
    return m_view ? m_view->button() : nullptr;
}

QLabel* WNJIndicatorCollectionItem::imageView() const
{
    return m_view ? m_view->imageView() : nullptr;
}

void WNJIndicatorCollectionItem::setRepresentedObject(const Color& color)
{
    m_color = color;
    updateImage();
    if (QPushButton* favorite = button()) {
        favorite->disconnect(this);
        connect(favorite, &QPushButton::clicked, this, &WNJIndicatorCollectionItem::buttonClicked);
    }
    updateButton();
}

void WNJIndicatorCollectionItem::updateImage()
{
    QLabel* label = imageView();
    if (!label)
        return;
    const qreal scale = label->devicePixelRatioF();
    const int side = WNJICItemView::kSide;
    QPixmap pixmap(QSize(side, side) * scale);
    pixmap.setDevicePixelRatio(scale);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    drawColorImage(painter, QRectF(0, 0, side, side));
    painter.end();
    label->setPixmap(pixmap);
}

void WNJIndicatorCollectionItem::updateButton()
{
    if (!m_collectionView)
        return;
    if (const auto& callback = m_collectionView->onUpdateButton())
        callback(*this);
    else
        logging::log(kNotSet);
}

void WNJIndicatorCollectionItem::buttonClicked()
{
    if (m_collectionView)
        m_collectionView->buttonClicked(*this);
}

void WNJIndicatorCollectionItem::blinkButton(double duration)
{
    QPointer<QPushButton> favorite = button();
    if (!favorite)
        return;
    favorite->hide();
    for (int step = 1; step <= kBlinkSteps; ++step) {
        const bool visible = step % 2 == 1;
        Scheduler::current().schedule(duration * step / kBlinkSteps, [favorite, visible] {
            if (favorite)
                favorite->setVisible(visible);
        });
    }
}

void WNJIndicatorCollectionItem::drawColorImage(QPainter& painter, const QRectF& rect)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QColor fill = qtcolor::fromColor(m_color);
    double whiteDifference = Color::white().lightnessDifference(m_color);
    if (m_color.isClearColor()) {
        // The strip's background in its place; without one the slot stays clear and
        // shows the triangle.
        const std::optional<Color> background =
            m_collectionView ? m_collectionView->backgroundColor() : std::optional<Color>();
        fill = background ? qtcolor::fromColor(*background) : QColor(Qt::transparent);
        if (background)
            whiteDifference = Color::white().lightnessDifference(*background);
    }
    if (fill.alphaF() < 1.0f) {
        painter.fillRect(rect, Qt::black);
        // The lower left half as seen with the origin at the bottom; its far corner
        // reaches 2 pt below the image.
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawPolygon(QPolygonF(
            {rect.bottomLeft(), rect.topLeft(), QPointF(rect.right(), rect.bottom() + 2)}));
    }
    painter.fillRect(rect, fill);
    painter.setPen(QPen(QColor::fromRgbF(0, 0, 0, kEdgeAlpha), 1.0));
    painter.drawLine(QPointF(rect.right(), rect.top()), QPointF(rect.right(), rect.bottom()));
    updateButton();

    const double shadowAlpha =
        whiteDifference >= kLightColorLimit ? kShadowAlpha : kShadowAlpha - (kLightColorLimit - whiteDifference);
    // A line just below the image casts its shadow up into it; the hairline inside the
    // bottom edge casts one too.
    const QSize canvas = rect.size().toSize();
    imageblur::drawShadow(painter, canvas, rect.topLeft(), kShadowBlur,
                          QColor::fromRgbF(0, 0, 0, static_cast<float>(std::max(0.0, shadowAlpha))),
                          [&](QPainter& shadow) {
                              shadow.setPen(QPen(Qt::black, 1.0));
                              shadow.drawLine(QPointF(0, canvas.height() + 0.5),
                                              QPointF(canvas.width(), canvas.height() + 0.5));
                              shadow.setPen(QPen(Qt::black, kBottomLineWidth));
                              shadow.drawLine(QPointF(0, canvas.height() - 0.5),
                                              QPointF(canvas.width(), canvas.height() - 0.5));
                          });
    painter.setPen(QPen(fill, 1.0));
    painter.drawLine(QPointF(rect.left(), rect.bottom() + 0.5), QPointF(rect.right(), rect.bottom() + 0.5));
    painter.setPen(QPen(QColor::fromRgbF(0, 0, 0, kBottomLineAlpha), kBottomLineWidth));
    painter.drawLine(QPointF(rect.left(), rect.bottom() - 0.5), QPointF(rect.right(), rect.bottom() - 0.5));
    painter.restore();
}
