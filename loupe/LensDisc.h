#pragma once

#include <QImage>
#include <QRectF>

#include <functional>
#include <vector>

class QPainter;

// Draws cut to an antialiased disc. A path clip would send the drawing under it through
// Qt's per-span paths, about ten times slower than the drawing itself; here the drawing
// goes into pixels of its own, which a mask kept for the last size cuts in one pass.
class LensDisc final {
public:
    // Runs `draw` (in the painter's coordinates) over `area`, keeps what lies inside the
    // ellipse in `disc`, and lays the result over the painter. `inputs` are all that
    // `draw` depends on: given the same ones (and area and disc) again, the last result
    // is laid over as it is. Without inputs it always draws.
    void drawCut(QPainter& painter, const QRectF& area, const QRectF& disc,
                 const std::function<void(QPainter&)>& draw, const std::vector<double>& inputs = {});

private:
    // A run of pixels in one row that the mask clears or scales; fully covered ones are
    // left as they are.
    struct Run {
        int row;
        int begin;
        int end;
        bool cleared;
    };

    void cut(const QRectF& disc);
    void makeMask(const QRectF& disc);

    QImage m_pixels;
    QImage m_mask;
    QRectF m_maskDisc;
    std::vector<Run> m_runs;
    std::vector<double> m_drawnInputs;
};
