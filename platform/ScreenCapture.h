#pragma once

#include <QImage>
#include <QRect>
#include <QRegion>

// Pictures of the screen as it lies below the loupe, in X11 pixels with the origin at
// the top left of the root window.
//
// A session keeps a snapshot of the whole screen, taken when it begins (before the loupe
// maps) and kept current everywhere outside the excluded region (the loupe's own shape);
// what lies under the loupe shows as it was when the loupe arrived there. Outside a
// session a capture reads the screen as it is.
class ScreenCapture {
public:
    virtual ~ScreenCapture() = default;

    // Takes the snapshot; false when the screen cannot be read (the captures then read
    // the screen directly).
    virtual bool beginSession() = 0;
    // Readies what taking a snapshot needs, ahead of the first session, so that the first
    // one begins as fast as the next ones. Does nothing while a session runs.
    virtual void prepare() = 0;
    virtual void endSession() = 0;
    virtual bool sessionActive() const = 0;
    // Where the loupe is: changes there never reach the snapshot. Set it before the loupe
    // maps or moves there.
    virtual void setExcludedRegion(const QRegion& region) = 0;
    virtual QRegion excludedRegion() const = 0;
    // Takes the snapshot again (the screen layout changed), keeping what lies under the
    // excluded region.
    virtual void resnapshot() = 0;

    // Opaque pixels of `rect` (Format_ARGB32_Premultiplied with alpha 255, so the bytes
    // read blue, green, red, alpha); parts off the screen are opaque black. A null image
    // when the screen cannot be read.
    virtual QImage capture(const QRect& rect) = 0;
};
