#include "loupe/QVLensUIRenderer.h"

#include "loupe/QVLensUICursorRenderer.h"
#include "tests/loupe/LensTest.h"

#include <algorithm>
#include <cmath>

namespace {

class QVLensUIRendererTest : public LensTest {
protected:
    // Pixels of the rim and grid alone.
    QImage renderUI()
    {
        m_stack->setShowFocusRect(false);
        m_stack->setColorInfo(0);
        m_stack->redrawAll();
        return render();
    }
    int paintedAlongRow(const QImage& image, int y, int from, int to) const
    {
        int painted = 0;
        for (int x = from; x <= to; ++x)
            painted += qAlpha(image.pixel(x, y)) > 0;
        return painted;
    }
};

TEST_F(QVLensUIRendererTest, RimTakesTheThemeAndHairlinesTheContrast)
{
    // Default lens: the wide ring lies between 92 and 97.2 points from the centre,
    // at alpha 0.9 - 0.4 x 184 / 351.
    const QImage light = renderUI();
    const QRgb ring = light.pixel(294, 200);
    EXPECT_NEAR(qAlpha(ring), 176, 2);
    EXPECT_EQ(qRed(ring), qAlpha(ring));
    // The outer hairline darkens the ring's edge in the light theme.
    EXPECT_LT(qRed(light.pixel(297, 200)), qAlpha(light.pixel(297, 200)));

    m_view->setBackgroundColorBase(0.0);
    const QImage dark = renderUI();
    EXPECT_NEAR(qAlpha(dark.pixel(294, 200)), 176, 2);
    EXPECT_EQ(qRed(dark.pixel(294, 200)), 0);
    EXPECT_GT(qRed(dark.pixel(297, 200)), 0);

    m_stack->setOpaqueBackground(true);
    const QImage opaque = renderUI();
    EXPECT_EQ(opaque.pixel(294, 200), qRgb(0, 0, 0));
    // Solid out to the rim's outer hairline, where the window's outline ends, and a
    // pixel past it, no further.
    const int rim = static_cast<int>(m_stack->rimSize().width() / 2);
    EXPECT_EQ(qAlpha(opaque.pixel(200 + rim - 1, 200)), 255);
    EXPECT_EQ(qAlpha(opaque.pixel(200 + rim + 2, 200)), 0);
    EXPECT_EQ(qAlpha(opaque.pixel(200, 200)), 0) << "the lens itself stays the capture's";
}

TEST_F(QVLensUIRendererTest, RimWidthAndLensSizeFollowTheDiameter)
{
    EXPECT_EQ(m_stack->lensSize(), QSizeF(200, 200));
    EXPECT_FLOAT_EQ(m_stack->uiRenderer().outerCircleWidth(40, 1), 2.0f);
    EXPECT_FLOAT_EQ(m_stack->uiRenderer().outerCircleWidth(40, 2), 1.75f);
    m_view->setDiameterValue(m_view->maxDiameterValue());
    EXPECT_FLOAT_EQ(m_stack->uiRenderer().outerCircleWidth(), 10.0f);
    // The ring at the largest lens fades to alpha 0.5.
    EXPECT_NEAR(qAlpha(renderUI().pixel(200 + 351 / 2 + 5, 200)), 128, 2);
    // Its outline fits the window.
    EXPECT_LE(m_stack->rimSize().width(), m_view->maxDiameterValue() + 24);
}

TEST_F(QVLensUIRendererTest, GridLinesSeparateTheMagnifiedPixels)
{
    const QImage grid = renderUI();
    // At zoom 8 a cell spans 196..203; its line is the column left of it and the row
    // below it.
    EXPECT_GT(qAlpha(grid.pixel(195, 150)), 0);
    EXPECT_GT(qAlpha(grid.pixel(203, 150)), 0);
    for (int x = 196; x <= 202; ++x)
        EXPECT_EQ(qAlpha(grid.pixel(x, 150)), 0) << x;
    EXPECT_GT(qAlpha(grid.pixel(150, 204)), 0);
    EXPECT_EQ(qAlpha(grid.pixel(150, 203)), 0);
    EXPECT_EQ(qAlpha(grid.pixel(150, 197)), 0);

    m_view->setZoomFactor(5.5);
    EXPECT_GT(paintedAlongRow(renderUI(), 180, 150, 250), 0);
    m_view->setZoomFactor(5.4);
    EXPECT_EQ(paintedAlongRow(renderUI(), 180, 150, 250), 0);
    m_view->setZoomFactor(8.0);
    m_stack->setShowPixelGrid(false);
    EXPECT_EQ(paintedAlongRow(renderUI(), 180, 150, 250), 0);
}

TEST_F(QVLensUIRendererTest, HighPrecisionKeepsTheGridAtFullStrength)
{
    auto strongest = [](const QImage& image) {
        int alpha = 0;
        for (int x = 150; x <= 250; ++x)
            alpha = std::max(alpha, qAlpha(image.pixel(x, 150)));
        return alpha;
    };
    m_view->setZoomFactor(15.0);
    const int full = strongest(renderUI());
    m_view->setZoomFactor(13.0);
    m_view->activeHiDPIZoom();
    m_scheduler.advance(0.5);
    ASSERT_EQ(m_view->zoomFactor(), 18.0);
    ASSERT_EQ(m_view->maxZoomFactor(), 35.0);
    // Measured against the maximum from before the mode, not the raised one.
    EXPECT_EQ(strongest(renderUI()), full);
    EXPECT_GT(full, 0);
}

TEST_F(QVLensUIRendererTest, WashCoversTheLensAndHidesTheGridFromHalfOpacity)
{
    m_stack->setAlphaBlind(0.3);
    const QImage faint = renderUI();
    EXPECT_NEAR(qAlpha(faint.pixel(198, 150)), 77, 1);
    EXPECT_GT(qAlpha(faint.pixel(195, 150)), qAlpha(faint.pixel(198, 150)));
    m_stack->setAlphaBlind(0.5);
    const QImage strong = renderUI();
    EXPECT_NEAR(qAlpha(strong.pixel(198, 150)), 128, 1);
    EXPECT_EQ(strong.pixel(195, 150), strong.pixel(198, 150));
    EXPECT_EQ(qAlpha(strong.pixel(200, 100)), 0) << "outside the lens";
}

TEST_F(QVLensUIRendererTest, SettersInvalidateOnlyOnChange)
{
    render();
    QVLensUIRenderer& ui = m_stack->uiRenderer();
    QVLensUICursorRenderer& cursor = m_stack->cursorRenderer();
    ui.setUsePixelGrid(true);
    cursor.setShowFocusRect(true);
    cursor.setIndicatorColor(cursor.indicatorColor());
    EXPECT_FALSE(ui.invalid());
    EXPECT_FALSE(cursor.invalid());
    cursor.setIndicatorColor(std::nullopt);
    EXPECT_FALSE(cursor.invalid());
    cursor.setIndicatorColor(Color::white());
    EXPECT_TRUE(cursor.invalid());
    ui.setAlphaBlind(0.2);
    EXPECT_FALSE(ui.invalid());
    ui.setUsePixelGrid(false);
    EXPECT_TRUE(ui.invalid());
}

class FocusSquareTest : public LensTest {
protected:
    // The columns and rows of the square's sides in a frame of a white capture.
    QImage focus(double zoom, double scale = 1.0)
    {
        m_stack->setShowPixelGrid(false);
        m_stack->setColorInfo(0);
        m_view->setZoomFactor(zoom);
        m_view->setCapturedImg(solid(qRgb(255, 255, 255)));
        return render(scale);
    }
    static bool black(QRgb pixel) { return pixel == qRgb(0, 0, 0); }
    // The square's sides lie on `near` and `far`, with the capture just inside.
    static void expectSquare(const QImage& frame, int near, int far, int middle)
    {
        for (int side : {near, far}) {
            EXPECT_TRUE(black(frame.pixel(side, middle))) << side;
            EXPECT_TRUE(black(frame.pixel(middle, side))) << side;
        }
        for (int inside : {near + 1, far - 1}) {
            EXPECT_FALSE(black(frame.pixel(inside, middle))) << inside;
            EXPECT_FALSE(black(frame.pixel(middle, inside))) << inside;
        }
        EXPECT_FALSE(black(frame.pixel(near - 1, middle)));
        EXPECT_FALSE(black(frame.pixel(middle, far + 1)));
    }
};

TEST_F(FocusSquareTest, SquareHugsTheCentrePixelOnEverySide)
{
    // Zoom 8: the centre pixel covers 196..203.
    expectSquare(focus(8), 195, 204, 200);
    // Zoom 7: 197..203, the odd step lying to the right and below.
    expectSquare(focus(7), 196, 204, 200);
    // Zoom 7.5 covers 196..203 like zoom 8.
    expectSquare(focus(7.5), 195, 204, 200);
}

TEST_F(FocusSquareTest, SquareAtScaleTwoIsOneDevicePixelOutside)
{
    setWindowScale(2.0);
    // 16 device pixels per captured pixel: 392..407.
    expectSquare(focus(8, 2.0), 391, 408, 400);
}

TEST_F(FocusSquareTest, SquareContrastsWithTheCentrePixelAndCanBeHidden)
{
    m_stack->setShowPixelGrid(false);
    m_stack->setColorInfo(0);
    m_view->setCapturedImg(solid(qRgb(20, 20, 20)));
    EXPECT_EQ(render().pixel(195, 200), qRgb(255, 255, 255));
    m_stack->setShowFocusRect(false);
    m_stack->validateLayerStack();
    EXPECT_EQ(render().pixel(195, 200), qRgb(20, 20, 20));
}

} // namespace
