#pragma once

#include <QPointF>
#include <QRegion>
#include <QString>

#include <functional>

class QPainter;
class QWidget;

// What every window and view of the program can do beside what QWidget offers.
namespace viewadditions {

// The dynamic property that carries a view's appearance name.
constexpr const char* kAppearanceProperty = "appearance";

// Makes the subview fill the host and follow its size, on top of (or below) the host's
// other children. Does nothing when the subview is already the host's child.
void embedView(QWidget* host, QWidget* subview);
void embedViewBelow(QWidget* host, QWidget* subview);

// How much larger the user's font settings make text: the logical dpi (the view's or
// else the primary screen's) over 96, never below 1.
double textScale(const QWidget* view = nullptr);

// A pixel size grown in proportion where the user's font settings make text larger.
int scaledPixelSize(int pixelSize, const QWidget* view = nullptr);

// Sets the view's font bold at the pixel size, grown in proportion where the user's
// font settings (a logical dpi above 96) make text larger.
void setTitleFont(QWidget* view, int pixelSize);

// Centres the window in the primary screen's visible frame; nothing without a screen.
void centerOnPrimaryScreen(QWidget* window);

// Clips the view to its rectangle with rounded corners, also after it is resized.
void addRoundedClippingMask(QWidget* view, double radius);
// The pixels such a mask keeps for a view filling the rectangle.
QRegion roundedClippingRegion(const QRect& rect, double radius);

// Gives every descendant, depth first, the appearance; the view itself keeps its own.
void setAppearanceInSubViews(QWidget* view, const QString& appearance);

// Moves the view's window with the mouse until the left button goes up. `offset` is
// the mouse position minus the window origin at mouse-down, in global points. The
// window's top stops at the top of its screen's visible frame. True when it moved.
bool dragWindowUntilMouseUp(QWidget* view, const QPointF& offset);

// Runs the block with the painter flipped vertically within the layer's height
// (0 without a layer), and the painter's state restored afterwards.
void drawBlockUsingFlippedContext(QPainter& painter, const QWidget* layer,
                                  const std::function<void(QPainter&)>& block);

// Logs every descendant as "<indent><class> (<frame>)", children before their parent.
void recursiveDescription(const QWidget* view);
void recursiveDescriptionWithIdent(const QWidget* view, const QString& indent);

} // namespace viewadditions
