#include "uikit/swatches/WNJIndicatorCollectionView.h"

#include "uikit/views/BezierPathAdditions.h"
#include "uikit/views/ImageBlur.h"
#include "uikit/animation/NJAnimationGroup.h"
#include "uikit/application/NJApplication.h"
#include "uikit/application/ThemeColors.h"
#include "uikit/views/ViewAdditions.h"
#include "uikit/swatches/WNJICItemView.h"
#include "uikit/swatches/WNJIndicatorCollectionItem.h"

#include "foundation/Scheduler.h"

#include <QAbstractScrollArea>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPointer>
#include <QScrollBar>

#include <cmath>

namespace {

constexpr double kFrameWidth = 4.0;
constexpr double kOuterRadius = 5.0;
constexpr double kInnerRadiusHiDPI = 2.5;
constexpr double kInnerRadius = 2.0;
constexpr double kArrowShadowBlur = 3.0;
constexpr double kArrowShadowAlpha = 0.15;
constexpr double kDarkArrowWhite = 0.15;
// The selection image's rows above the swatch row and the arrow's overhang below it.
constexpr int kRowBand = 50;
constexpr int kArrowOverhang = 2;

int roundHalfAway(double value)
{
    return static_cast<int>(std::lround(value));
}

QPixmap canvas(const QWidget* host, int width, int height)
{
    const qreal scale = host->devicePixelRatioF();
    QPixmap pixmap(QSize(width, height) * scale);
    pixmap.setDevicePixelRatio(scale);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

} // namespace

WNJIndicatorCollectionView::WNJIndicatorCollectionView(const QRect& frame, const QSize& itemSize, QWidget* parent)
    : QWidget(parent)
    , m_itemSize(itemSize)
{
    setGeometry(frame);
    setFocusPolicy(Qt::StrongFocus);
}

WNJIndicatorCollectionView::~WNJIndicatorCollectionView()
{
    for (const auto& item : m_items) {
        if (WNJICItemView* view = item->view()) {
            view->setButton(nullptr);
            view->setImageView(nullptr);
        }
    }
}

void WNJIndicatorCollectionView::setContent(const std::vector<Color>& content)
{
    for (const auto& item : m_items)
        delete item->view();
    m_items.clear();
    m_content = content;
    for (std::size_t i = 0; i < m_content.size(); ++i) {
        auto* view = new WNJICItemView(QPoint(static_cast<int>(i) * m_itemSize.width(), 0), this);
        view->resize(m_itemSize);
        view->show();
        auto item = std::make_unique<WNJIndicatorCollectionItem>(this, view);
        item->setRepresentedObject(m_content[i]);
        m_items.push_back(std::move(item));
    }
    resize(std::max(width(), static_cast<int>(m_content.size()) * m_itemSize.width()), height());
    m_selectedItem = nullptr;
    if (m_selected && *m_selected >= m_content.size()) {
        m_selected.reset();
        emit selectionIndexesChanged();
    } else if (m_selected) {
        m_selectedItem = m_items[*m_selected]->view();
    }
    if (m_selectionView)
        m_selectionView->raise();
    if (m_arrowView)
        m_arrowView->raise();
}

WNJIndicatorCollectionItem* WNJIndicatorCollectionView::itemAtIndex(std::size_t index) const
{
    return index < m_items.size() ? m_items[index].get() : nullptr;
}

std::vector<std::size_t> WNJIndicatorCollectionView::selectionIndexes() const
{
    return m_selected ? std::vector<std::size_t> {*m_selected} : std::vector<std::size_t> {};
}

void WNJIndicatorCollectionView::setSelectionIndexes(const std::vector<std::size_t>& indexes)
{
    if (indexes.empty() || m_content.empty())
        return;
    const std::size_t index = *std::min_element(indexes.begin(), indexes.end());
    if (index >= m_items.size())
        return;
    const std::optional<std::size_t> old = m_selected;
    m_selected = index;
    m_selectedItem = m_items[index]->view();
    emit selectionIndexesChanged();
    if (old != m_selected) {
        animateSelection();
        QPointer<WNJIndicatorCollectionView> self(this);
        Scheduler::current().post([self] {
            if (self)
                self->updateSelectionViewImage();
        });
    } else {
        animateArrowIn();
    }
    makeSelectedItemVisible();
}

double WNJIndicatorCollectionView::selectedCenter() const
{
    return m_selectedItem ? m_selectedItem->x() + m_itemSize.width() / 2.0 : 0.0;
}

QPoint WNJIndicatorCollectionView::selectionTarget(double center) const
{
    return {roundHalfAway(center - kSelectionWidth / 2.0), kRowBand - kSelectionHeight};
}

QPoint WNJIndicatorCollectionView::arrowRest(double center) const
{
    const QAbstractScrollArea* scroll = enclosingScrollArea();
    const int rowHeight = scroll ? scroll->height() : height();
    return {roundHalfAway(center - kArrowWidth / 2.0), kRowBand + kArrowOverhang - (kRowBand - rowHeight) - kArrowHeight};
}

QAbstractScrollArea* WNJIndicatorCollectionView::enclosingScrollArea() const
{
    for (QWidget* up = parentWidget(); up; up = up->parentWidget()) {
        if (auto* scroll = qobject_cast<QAbstractScrollArea*>(up))
            return scroll;
    }
    return nullptr;
}

int WNJIndicatorCollectionView::arrowHiddenY() const
{
    return height();
}

void WNJIndicatorCollectionView::applyMarkVisibility()
{
    if (m_selectionView)
        m_selectionView->setVisible(m_marksAttached);
    if (m_arrowView)
        m_arrowView->setVisible(m_marksAttached && !m_arrowHidden);
    if (m_marksAttached) {
        if (m_selectionView)
            m_selectionView->raise();
        if (m_arrowView)
            m_arrowView->raise();
    }
}

void WNJIndicatorCollectionView::makeSelectedItemVisible()
{
    QAbstractScrollArea* scroll = enclosingScrollArea();
    if (m_selectedItem && scroll) {
        const QRect rect = m_selectedItem->geometry();
        QScrollBar* bar = scroll->horizontalScrollBar();
        const int visible = scroll->viewport()->width();
        if (rect.left() < bar->value())
            bar->setValue(rect.left());
        else if (rect.right() + 1 > bar->value() + visible)
            bar->setValue(rect.right() + 1 - visible);
    }
    m_marksAttached = m_showSelection;
    applyMarkVisibility();
}

void WNJIndicatorCollectionView::animateSelection()
{
    createSelectionView();
    createArrowView();
    const double center = selectedCenter();
    const QPoint frameTarget = selectionTarget(center);
    const QPoint rest = arrowRest(center);
    if (m_showSelection) {
        m_marksAttached = true;
        applyMarkVisibility();
        if (window()->isVisible()) {
            QPointer<WNJIndicatorCollectionView> self(this);
            NJAnimationGroup(kMoveDuration, "easeOut")
                .position(m_selectionView, frameTarget)
                .position(m_arrowView, QPoint(m_arrowView->x(), arrowHiddenY()))
                .completion([self, center, rest] {
                    if (!self)
                        return;
                    self->m_arrowHidden = true;
                    self->applyMarkVisibility();
                    if (self->selectedCenter() != center)
                        return;
                    self->m_arrowView->move(rest.x(), self->arrowHiddenY());
                    Scheduler::current().post([self, center, rest] {
                        if (!self || self->selectedCenter() != center)
                            return;
                        self->m_arrowHidden = false;
                        self->applyMarkVisibility();
                        NJAnimationGroup(kArrowDuration, "easeInOut").position(self->m_arrowView, rest).start();
                    });
                })
                .start();
            return;
        }
    }
    m_arrowHidden = false;
    applyMarkVisibility();
    m_selectionView->move(frameTarget);
    m_arrowView->move(rest);
}

void WNJIndicatorCollectionView::animateArrowIn()
{
    if (m_arrowIn)
        return;
    m_arrowIn = true;
    if (!m_arrowView)
        return;
    const QPoint rest = arrowRest(selectedCenter());
    if (m_arrowView->pos() != rest)
        NJAnimationGroup(kArrowDuration).position(m_arrowView, rest).start();
}

void WNJIndicatorCollectionView::animateArrowOut()
{
    m_arrowIn = false;
    if (m_arrowView)
        NJAnimationGroup(kArrowDuration).position(m_arrowView, QPoint(m_arrowView->x(), arrowHiddenY())).start();
}

void WNJIndicatorCollectionView::createSelectionView()
{
    if (m_selectionView)
        return;
    m_selectionView = new QLabel(this);
    m_selectionView->setObjectName(QStringLiteral("selectionLabel"));
    m_selectionView->setGeometry(0, 0, kSelectionWidth, kSelectionHeight);
    m_selectionView->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_selectionView->hide();
    updateSelectionViewImage();
}

void WNJIndicatorCollectionView::createArrowView()
{
    if (m_arrowView)
        return;
    m_arrowView = new QLabel(this);
    m_arrowView->setObjectName(QStringLiteral("arrowLabel"));
    m_arrowView->setGeometry(0, 0, kArrowWidth, kArrowHeight);
    m_arrowView->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_arrowView->hide();
    updateArrowViewImage();
}

void WNJIndicatorCollectionView::updateSelectionViewImage()
{
    if (!m_selectionView)
        return;
    const bool first = m_selected && *m_selected == 0;
    // The corner at the top of the left edge.
    const RoundedCornerMask corners = first ? roundedcorner::kMinXMinY : 0;
    const bool dark = themecolors::darkMode();
    const QColor frameColor = dark ? Qt::black : Qt::white;
    QColor outer = dark ? Qt::white : Qt::black;
    QColor inner = outer;
    outer.setAlphaF(dark ? 0.0f : 0.25f);
    inner.setAlphaF(dark ? 1.0f : 0.5f);
    const QRectF r(0, 0, kSelectionWidth, kSelectionHeight);
    const double half = kFrameWidth / 2;

    QPixmap pixmap = canvas(this, kSelectionWidth, kSelectionHeight);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(frameColor, kFrameWidth));
    painter.drawRect(r.adjusted(half, half, -half, -half));
    if (first)
        painter.drawPath(bezierpath::createRoundedCornerRect(r.adjusted(half, half, -half, -half), corners,
                                                             kOuterRadius, kOuterRadius));
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(outer, 1.0));
    painter.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
    QPainterPath path;
    double lineWidth = 0;
    if (pixmap.devicePixelRatio() > 1.0) {
        painter.setRenderHint(QPainter::Antialiasing);
        path = bezierpath::createRoundedCornerRect(r.adjusted(kFrameWidth, kFrameWidth, -kFrameWidth, -kFrameWidth),
                                                   corners, kInnerRadiusHiDPI, kInnerRadiusHiDPI);
        painter.setClipPath(path);
        lineWidth = 2.0;
    } else {
        painter.setClipRect(r.adjusted(kFrameWidth, kFrameWidth, -kFrameWidth, -kFrameWidth));
        const double inset = kFrameWidth + 0.5;
        path = bezierpath::createRoundedCornerRect(r.adjusted(inset, inset, -inset, -inset), corners, kInnerRadius,
                                                   kInnerRadius);
        lineWidth = 0.25;
    }
    painter.strokePath(path, QPen(inner, lineWidth));
    painter.end();
    m_selectionView->setPixmap(pixmap);
}

void WNJIndicatorCollectionView::updateArrowViewImage()
{
    if (!m_arrowView)
        return;
    // Pointing up, centred in the image.
    const QPainterPath triangle = [] {
        QPainterPath path;
        path.moveTo(15, kArrowHeight - 2);
        path.lineTo(22, kArrowHeight - 9.5);
        path.lineTo(29, kArrowHeight - 2);
        path.closeSubpath();
        return path;
    }();
    const QColor fill = themecolors::white(themecolors::darkMode() ? kDarkArrowWhite : 1.0, 1.0);
    QPixmap pixmap = canvas(this, kArrowWidth, kArrowHeight);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    imageblur::drawShadow(painter, QSize(kArrowWidth, kArrowHeight), QPointF(0, -1), kArrowShadowBlur,
                          QColor::fromRgbF(0, 0, 0, kArrowShadowAlpha),
                          [&](QPainter& shadow) { shadow.fillPath(triangle, Qt::black); });
    painter.fillPath(triangle, fill);
    painter.end();
    m_arrowView->setPixmap(pixmap);
}

void WNJIndicatorCollectionView::setShowSelection(bool show)
{
    if (show)
        showSelectionAnimated(false);
    else
        hideSelectionAnimated(false);
    update();
}

void WNJIndicatorCollectionView::showSelectionAnimated(bool animated)
{
    // Without animation the marks show at once, fully opaque.
    setMarks(true, animated ? 0.0 : 1.0, animated ? std::optional<double>(1.0) : std::nullopt);
}

void WNJIndicatorCollectionView::hideSelectionAnimated(bool animated)
{
    setMarks(false, 1.0, animated ? std::optional<double>(0.0) : std::nullopt);
}

void WNJIndicatorCollectionView::setMarks(bool shown, double opacity, std::optional<double> fadeTo)
{
    for (QLabel* view : {m_selectionView, m_arrowView}) {
        if (view)
            NJAnimationGroup::setWidgetOpacity(view, opacity);
    }
    m_marksAttached = shown;
    applyMarkVisibility();
    if (fadeTo) {
        QPointer<QLabel> selection = m_selectionView;
        QPointer<QLabel> arrow = m_arrowView;
        Scheduler::current().post([selection, arrow, target = *fadeTo] {
            NJAnimationGroup group(kFadeDuration);
            for (QLabel* view : {selection.data(), arrow.data()}) {
                if (view)
                    group.opacity(view, target);
            }
            group.start();
        });
    }
    m_showSelection = shown;
}

void WNJIndicatorCollectionView::updateButtons()
{
    for (const auto& item : m_items)
        item->updateButton();
}

void WNJIndicatorCollectionView::updateImages()
{
    for (const auto& item : m_items)
        item->updateImage();
}

void WNJIndicatorCollectionView::initalizeAppearance()
{
    updateArrowViewImage();
    updateSelectionViewImage();
    if (QAbstractScrollArea* scroll = enclosingScrollArea())
        scroll->viewport()->update();
}

void WNJIndicatorCollectionView::viewDidChangeBackingProperties()
{
    updateSelectionViewImage();
    updateArrowViewImage();
    updateImages();
}

std::optional<std::size_t> WNJIndicatorCollectionView::itemAtPointInWindow(const QPoint& windowPoint) const
{
    const QPoint point = mapFrom(window(), windowPoint);
    if (!rect().contains(point) || m_itemSize.width() <= 0)
        return std::nullopt;
    const auto index = static_cast<std::int32_t>(point.x() / m_itemSize.width());
    if (index < 0 || static_cast<std::size_t>(index) >= m_content.size())
        return std::nullopt;
    return static_cast<std::size_t>(index);
}

void WNJIndicatorCollectionView::buttonClicked(WNJIndicatorCollectionItem& item)
{
    if (m_onButtonClick)
        m_onButtonClick(item);
}

void WNJIndicatorCollectionView::paintEvent(QPaintEvent*)
{
    if (m_initialized)
        return;
    m_initialized = true;
    if (!m_showSelection)
        return;
    // Selecting moves child widgets, which must not happen while painting.
    QPointer<WNJIndicatorCollectionView> self(this);
    Scheduler::current().post([self] {
        if (self)
            self->setSelectionIndexes({0});
    });
}

void WNJIndicatorCollectionView::mousePressEvent(QMouseEvent* event)
{
    mouseDown(event, 1);
}

void WNJIndicatorCollectionView::mouseDoubleClickEvent(QMouseEvent* event)
{
    mouseDown(event, 2);
}

void WNJIndicatorCollectionView::mouseDown(QMouseEvent* event, int clickCount)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (const auto index = itemAtPointInWindow(mapTo(window(), event->position().toPoint())))
        setSelectionIndexes({*index});
    QPointer<WNJIndicatorCollectionView> self(this);
    const QPointF mouse = event->globalPosition();
    const QPointF offset = mouse - QPointF(window()->frameGeometry().topLeft());
    // Global points grow upwards: the offset from the window's bottom left corner.
    viewadditions::dragWindowUntilMouseUp(this, QPointF(offset.x(), window()->frameGeometry().height() - offset.y()));
    if (!self || !m_selectedItem)
        return;
    if ((modifiers & Qt::AltModifier) && clickCount == 1) {
        if (m_onAlternativeActionClick)
            m_onAlternativeActionClick(*this);
    } else if (clickCount == 2 && m_onDoubleClick) {
        m_onDoubleClick();
    }
}

void WNJIndicatorCollectionView::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key != Qt::Key_Left && key != Qt::Key_Right) {
        event->ignore();
        return;
    }
    event->accept();
    if (!m_selected)
        return;
    if (key == Qt::Key_Left && *m_selected > 0)
        setSelectionIndexes({*m_selected - 1});
    else if (key == Qt::Key_Right && *m_selected + 1 < m_content.size())
        setSelectionIndexes({*m_selected + 1});
}
