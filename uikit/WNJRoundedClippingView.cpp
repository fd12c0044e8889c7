#include "uikit/WNJRoundedClippingView.h"

#include "uikit/ViewAdditions.h"

WNJRoundedClippingView::WNJRoundedClippingView(QWidget* parent)
    : QWidget(parent)
{
    viewadditions::addRoundedClippingMask(this, kRadius);
}
