#pragma once

class QAbstractScrollArea;

// Vertical scrolling of a scroll area in whole bands, on the clip bounds (the scroll
// offset and the viewport's height).
namespace scrollviewadditions {

// Whether the band from y of the height lies wholly within the visible bounds.
bool isYPositionVisible(const QAbstractScrollArea& view, float y, float height);
// Scrolls the band to the top when the bounds lie below it or cannot hold it, else to
// the bottom; no visibility test first.
void scrollToYPosition(QAbstractScrollArea& view, float y, float height);

} // namespace scrollviewadditions
