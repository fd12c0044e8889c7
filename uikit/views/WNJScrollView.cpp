#include "uikit/views/WNJScrollView.h"

#include "uikit/views/WNJClipView.h"
#include "uikit/views/WNJHiddenScroller.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

WNJScrollView::WNJScrollView(QWidget* parent)
    : WNJScrollView(createClipViewWithFrame(QRect()), parent)
{
}

WNJScrollView::WNJScrollView(QWidget* clipView, QWidget* parent)
    : QScrollArea(parent)
{
    setViewport(clipView);
    setFrameShape(QFrame::NoFrame);
}

QWidget* WNJScrollView::createClipViewWithFrame(const QRect& frame)
{
    return makeClipView<WNJClipView>(frame);
}

WNJScrollView* WNJScrollView::withHiddenScrollers(const QRect& frame, QWidget* parent)
{
    return makeWithHiddenScrollers<WNJScrollView>(frame, parent);
}

void WNJScrollView::paintEvent(QPaintEvent* event)
{
    if (auto* clip = dynamic_cast<WNJClipView*>(viewport())) {
        QPainter painter(viewport());
        clip->drawRect(painter, event->rect());
    }
}

void WNJScrollView::hideScrollers()
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBar(new WNJHiddenScroller(Qt::Horizontal));
    setVerticalScrollBar(new WNJHiddenScroller(Qt::Vertical));
}

bool WNJScrollView::willScrolltoXPosition(float x) const
{
    return std::lround(static_cast<double>(horizontalScrollBar()->value())) != std::lround(static_cast<double>(x));
}

double WNJScrollView::scrollDuration(double distance, double width)
{
    if (distance <= 0)
        return kMaxScrollDuration;
    return std::min(kMaxScrollDuration, kMaxScrollDuration * (width / 4) / distance);
}

void WNJScrollView::scrollToXPosition(float x)
{
    if (!willScrolltoXPosition(x))
        return;
    const int from = horizontalScrollBar()->value();
    const int to = static_cast<int>(std::lround(static_cast<double>(x)));
    const double distance = std::trunc(std::abs(from - static_cast<double>(x)));
    const char* timing = "easeInOut";
    if (distance > width() / 2.0)
        timing = "linear";
    else if (m_scrollAnimation)
        timing = "easeOut";
    if (m_scroll)
        m_scroll->stop();
    m_scroll.emplace(scrollDuration(distance, width()), timing);
    QPointer<WNJScrollView> self(this);
    m_scroll->step([self, from, to](double progress) {
        if (self)
            self->horizontalScrollBar()->setValue(static_cast<int>(std::lround(from + (to - from) * progress)));
    });
    // Cleared whatever the timing, so that a finished long scroll does not make the
    // next short one continue with ease-out.
    m_scroll->completion([self] {
        if (self)
            self->m_scrollAnimation = false;
    });
    m_scroll->start();
    m_scrollAnimation = true;
}
