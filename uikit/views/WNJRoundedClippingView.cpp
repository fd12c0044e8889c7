#include "uikit/views/WNJRoundedClippingView.h"

#include "uikit/views/ViewAdditions.h"

WNJRoundedClippingView::WNJRoundedClippingView(QWidget* parent)
    : QWidget(parent)
{
    viewadditions::addRoundedClippingMask(this, kRadius);
}
