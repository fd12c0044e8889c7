#include "uikit/swatches/WNJIndicatorScrollView.h"

#include "uikit/swatches/WNJIndicatorClipView.h"

WNJIndicatorScrollView::WNJIndicatorScrollView(QWidget* parent)
    : WNJScrollView(createClipViewWithFrame(QRect()), parent)
{
}

QWidget* WNJIndicatorScrollView::createClipViewWithFrame(const QRect& frame)
{
    return makeClipView<WNJIndicatorClipView>(frame);
}

WNJIndicatorScrollView* WNJIndicatorScrollView::withHiddenScrollers(const QRect& frame, QWidget* parent)
{
    return makeWithHiddenScrollers<WNJIndicatorScrollView>(frame, parent);
}
