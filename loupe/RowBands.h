#pragma once

#include <QRectF>

#include <functional>

class QPainter;

// Qt's raster engine hands every blend of 96 spans or more (a span is a row, or a run of
// one coverage within it) to the global thread pool, one task per 64, and sleeps until
// they are done. The loupe redraws its layers at every frame of a pick, and there each
// hand-over (two threads woken, two put to sleep) costs more than the blend itself.
namespace rowbands {

// Device rows a band holds: under the 96 spans, with two spans a row to spare for a
// shaped window's clip.
inline constexpr int kRows = 32;

// Runs `draw` once for each band of `kRows` device rows across `area` (in the painter's
// coordinates), clipped to that band, so that each of its blends stays on this thread.
// A clip to whole device rows leaves every pixel as one undivided drawing makes it.
void paint(QPainter& painter, const QRectF& area, const std::function<void()>& draw);

} // namespace rowbands
