#pragma once

#include "platform/ScreenCapture.h"

#include <vector>

// A screen held in memory. Painting it while a session runs reaches the snapshot only
// outside the excluded region, as damage on a real screen would.
class FakeScreenCapture final : public ScreenCapture {
public:
    bool beginSession() override;
    void prepare() override { ++m_preparedCount; }
    void endSession() override;
    bool sessionActive() const override { return m_sessionActive; }
    void setExcludedRegion(const QRegion& region) override { m_excluded = region; }
    QRegion excludedRegion() const override { return m_excluded; }
    void resnapshot() override;
    QImage capture(const QRect& rect) override;

    // The whole screen; a null image makes every capture fail.
    void setScreen(const QImage& screen);
    const QImage& screen() const { return m_screen; }
    // Fills a rectangle of the screen with one colour.
    void paint(const QRect& rect, QRgb color);
    const std::vector<QRect>& captures() const { return m_captures; }
    int snapshotCount() const { return m_snapshotCount; }
    int preparedCount() const { return m_preparedCount; }

private:
    void copyOutsideExcluded(const QRect& rect);

    QImage m_screen;
    QImage m_snapshot;
    QRegion m_excluded;
    bool m_sessionActive = false;
    int m_snapshotCount = 0;
    int m_preparedCount = 0;
    std::vector<QRect> m_captures;
};
