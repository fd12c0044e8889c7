#include "uikit/slideshow/WNJSliderView.h"

#include "uikit/animation/NJAnimationGroup.h"
#include "uikit/slideshow/WNJSliderDotsControl.h"

#include <QGuiApplication>
#include <QWheelEvent>

#include <algorithm>

WNJSliderView::WNJSliderView(QWidget* parent)
    : QWidget(parent)
    , m_dotsControl(nullptr)
    , m_contentView(new QWidget(this))
{
    m_contentView->setObjectName(QStringLiteral("slidesContentWidget"));
    m_contentView->setGeometry(rect());
    m_dotsControl = new WNJSliderDotsControl(this);
    m_dotsControl->setSliderView(this);
    m_dotsControl->raise();
}

void WNJSliderView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_contentView->setGeometry(rect());
    if (m_displayedSlide)
        m_displayedSlide->setGeometry(rect());
}

void WNJSliderView::addSlide(QWidget* slide)
{
    slide->setParent(m_contentView);
    slide->hide();
    m_slides.push_back(slide);
    if (m_slides.size() == 1)
        displaySlideAtIndex(0);
    m_dotsControl->setDotsCount(static_cast<unsigned>(m_slides.size()));
}

void WNJSliderView::removeSlide(QWidget* slide)
{
    const auto found = std::find(m_slides.begin(), m_slides.end(), slide);
    if (found == m_slides.end())
        return;
    const auto removedIndex = static_cast<std::size_t>(found - m_slides.begin());
    m_slides.erase(found);
    slide->hide();
    slide->setParent(nullptr);
    // The index keeps naming the displayed slide. A removed slide is not kept on show:
    // its place goes to the slide that took its index, or to the last one.
    if (slide == m_displayedSlide) {
        m_displayedSlide = nullptr;
        m_indexOfDisplayedSlide = 0;
        if (!m_slides.empty())
            displaySlideAtIndex(std::min(removedIndex, m_slides.size() - 1));
    } else if (removedIndex < m_indexOfDisplayedSlide) {
        --m_indexOfDisplayedSlide;
    }
    m_dotsControl->setDotsCount(static_cast<unsigned>(m_slides.size()));
    m_dotsControl->setIndexOfHighlightedDot(static_cast<unsigned>(m_indexOfDisplayedSlide));
}

void WNJSliderView::displaySlideAtIndex(std::size_t index)
{
    if (index >= m_slides.size())
        return;
    m_dotsControl->setIndexOfHighlightedDot(static_cast<unsigned>(index));
    QWidget* slide = m_slides[index];
    if (slide == m_displayedSlide)
        return;
    // A hidden slider gets its resize events only when shown.
    m_contentView->setGeometry(rect());
    slide->setGeometry(rect());
    if (!m_displayedSlide) {
        slide->show();
        m_displayedSlide = slide;
        m_indexOfDisplayedSlide = index;
        return;
    }
    if (m_onSlideWillChange)
        m_onSlideWillChange(m_displayedSlide, slide);
    pushTo(slide, index);
    m_displayedSlide = slide;
    m_indexOfDisplayedSlide = index;
    if (m_onSlideDidChange)
        m_onSlideDidChange(slide);
}

double WNJSliderView::transitionDuration(bool shiftHeld, double transitionAnimationDuration)
{
    return shiftHeld && transitionAnimationDuration != 0 ? kSlowTransitionDuration : kTransitionDuration;
}

bool WNJSliderView::shiftHeld() const
{
    return QGuiApplication::keyboardModifiers() & Qt::ShiftModifier;
}

void WNJSliderView::pushTo(QWidget* slide, std::size_t index)
{
    QWidget* old = m_displayedSlide;
    // Forward pushes the new slide in from the right, back from the left.
    const int width = m_contentView->width();
    const int from = m_indexOfDisplayedSlide < index ? width : -width;
    slide->move(from, 0);
    slide->show();
    slide->raise();
    QPointer<QWidget> leaving(old);
    QPointer<WNJSliderView> self(this);
    NJAnimationGroup(transitionDuration(shiftHeld(), m_transitionAnimationDuration), "easeOut")
        .position(slide, QPoint(0, 0))
        .position(old, QPoint(-from, 0))
        .completion([self, leaving] {
            // A later change may have brought the slide back.
            if (!self || !leaving || leaving == self->m_displayedSlide)
                return;
            leaving->hide();
            leaving->move(0, 0);
        })
        .start();
}

void WNJSliderView::displayNextSlide()
{
    if (!m_slides.empty() && m_indexOfDisplayedSlide + 1 < m_slides.size())
        displaySlideAtIndex(m_indexOfDisplayedSlide + 1);
}

void WNJSliderView::displayPreviousSlide()
{
    if (!m_slides.empty() && m_indexOfDisplayedSlide > 0)
        displaySlideAtIndex(m_indexOfDisplayedSlide - 1);
}

bool WNJSliderView::isLastSlide() const
{
    return !m_slides.empty() && m_indexOfDisplayedSlide >= m_slides.size() - 1;
}

void WNJSliderView::dotViewSelected(int tag)
{
    if (tag >= 0 && static_cast<std::size_t>(tag) < m_slides.size())
        displaySlideAtIndex(static_cast<std::size_t>(tag));
}

void WNJSliderView::wheelEvent(QWheelEvent* event)
{
    event->accept();
    const QPointF delta = event->pixelDelta().isNull() ? QPointF(event->angleDelta()) / 8.0 : QPointF(event->pixelDelta());
    switch (event->phase()) {
    case Qt::ScrollBegin:
        m_scrollDeltaX = 0;
        m_scrollDeltaY = 0;
        break;
    case Qt::ScrollUpdate:
        m_scrollDeltaX += delta.x();
        m_scrollDeltaY += delta.y();
        break;
    case Qt::ScrollEnd:
        if (m_scrollDeltaX > kSwipeThreshold)
            displayPreviousSlide();
        else if (m_scrollDeltaX < -kSwipeThreshold)
            displayNextSlide();
        break;
    default:
        break;
    }
}
