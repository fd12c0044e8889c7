#include "loupe/ScrollWheelEvent.h"

#include "platform/ModifierFlags.h"

#include <QWheelEvent>

namespace {

// Qt's angle delta of one wheel notch, in eighths of a degree.
constexpr double kAnglePerNotch = 120.0;
// Smooth-scrolling devices report pixels; ten of them make one line.
constexpr double kPixelsPerLine = 10.0;

int phaseOf(Qt::ScrollPhase phase)
{
    switch (phase) {
    case Qt::ScrollBegin:
        return ScrollWheelEvent::Began;
    case Qt::ScrollUpdate:
        return ScrollWheelEvent::Changed;
    case Qt::ScrollEnd:
        return ScrollWheelEvent::Ended;
    case Qt::ScrollMomentum:
    case Qt::NoScrollPhase:
        break;
    }
    return ScrollWheelEvent::None;
}

} // namespace

ScrollWheelEvent ScrollWheelEvent::fromWheelEvent(const QWheelEvent& event)
{
    ScrollWheelEvent scroll;
    scroll.phase = phaseOf(event.phase());
    scroll.modifierFlags = modifierflags::fromQt(event.modifiers());
    if (!event.pixelDelta().isNull()) {
        scroll.deltaX = event.pixelDelta().x() / kPixelsPerLine;
        scroll.deltaY = event.pixelDelta().y() / kPixelsPerLine;
    } else {
        scroll.deltaX = event.angleDelta().x() / kAnglePerNotch;
        scroll.deltaY = event.angleDelta().y() / kAnglePerNotch;
    }
    if ((event.modifiers() & Qt::AltModifier) && scroll.deltaY == 0) {
        scroll.deltaY = scroll.deltaX;
        scroll.deltaX = 0;
    }
    return scroll;
}
