#include "ScrollViewAdditions.h"

#include <QAbstractScrollArea>
#include <QScrollBar>

#include <cmath>

namespace scrollviewadditions {

bool isYPositionVisible(const QAbstractScrollArea& view, float y, float height)
{
    const double top = view.verticalScrollBar()->value();
    const double bottom = top + view.viewport()->height();
    return std::roundf(y) >= std::round(top) && std::round(bottom) >= std::roundf(y + height);
}

void scrollToYPosition(QAbstractScrollArea& view, float y, float height)
{
    const double top = view.verticalScrollBar()->value();
    const double bounds = view.viewport()->height();
    // A band taller than the bounds (a view not sized yet) shows from its top.
    const double target = top > y || height > bounds ? y : y + height - bounds;
    view.verticalScrollBar()->setValue(static_cast<int>(std::lround(target)));
}

} // namespace scrollviewadditions
