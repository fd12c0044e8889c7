#include "tests/loupe/LoupeFixture.h"

#include "loupe/QVHoverMode.h"
#include "loupe/QVLensLayerStack.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

class QVLoupeControllerTest : public LoupeFixture {};

TEST_F(QVLoupeControllerTest, PlacementRoundsOntoTheScreenAndClampsAtEdgesAndCorners)
{
    // On the screen: the window centres on the rounded point; the lens keeps the exact one.
    EXPECT_EQ(m_loupe->setLoupeCenter({100.4, 200.6}), QPointF(100.4, 200.6));
    EXPECT_EQ(windowCenter(), QPointF(100, 201));
    EXPECT_EQ(m_loupe->loupeCenter(), QPointF(100, 201));

    struct Case {
        QPointF mouse;
        QPointF center;
    };
    const Case cases[] = {
        {{1925, 500}, {1919, 500}}, // off the right edge
        {{-7, 500}, {0, 500}},      // off the left edge: column 0 is on the screen
        {{-3, -3}, {0, 1}},         // bottom-left corner
        {{1930, 1090}, {1919, 1080}}, // top-right corner: so is row 0
        {{0, 1080}, {0, 1080}},     // the top-left pixel is on the screen
    };
    for (const Case& c : cases) {
        EXPECT_EQ(m_loupe->setLoupeCenter(c.mouse), c.center) << c.mouse.x() << "," << c.mouse.y();
        EXPECT_EQ(m_loupe->lastCenter(), c.center);
        EXPECT_EQ(windowCenter(), c.center);
    }

    // Back and forth between two spots in single jumps: the window follows every one.
    for (const QPointF spot : {QPointF(500, 700), QPointF(1100, 700), QPointF(500, 700), QPointF(1100, 700)}) {
        m_loupe->setLoupeCenter(spot);
        EXPECT_EQ(windowCenter(), spot);
    }
}

TEST_F(QVLoupeControllerTest, CapturesAnOddSquareCentredOnThePointerOnceAPoint)
{
    // Global (500, 700) is top-left (500, 380); capture 24 becomes 25 and a side of 26.
    m_loupe->setLoupeCenter({500, 700});
    ASSERT_EQ(capture().captures().size(), 1u);
    EXPECT_EQ(capture().captures().back(), QRect(487, 367, 26, 26));
    m_loupe->setLoupeCenter({500, 700});
    EXPECT_EQ(capture().captures().size(), 1u);
    m_loupe->refreshLoupe();
    m_loupe->refreshLoupe();
    EXPECT_EQ(capture().captures().size(), 3u);

    view().setCaptureValue(22);
    m_loupe->refreshLoupe();
    EXPECT_EQ(capture().captures().back(), QRect(488, 368, 24, 24));
}

TEST_F(QVLoupeControllerTest, OffsetSelectsTheDevicePixelOnlyOnScaleTwo)
{
    m_loupe->setLoupeCenter({100.5, 200.25});
    EXPECT_EQ(m_loupe->offsetFromCenter({100.5, 200.25}), QPointF(0, 0));

    m_platform->screens().setScreens({{QRectF(0, 0, 1920, 1080), QRectF(0, 0, 1920, 1080), 2.0}});
    m_loupe->setLoupeCenter({100.5, 200.25});
    EXPECT_EQ(m_loupe->loupeCenter(), QPointF(101, 200));
    EXPECT_EQ(m_loupe->offsetFromCenter({100.5, 200.25}), QPointF(-1, 1));
    // Capture 25 at scale 2 is a side of 14 points, 28 device pixels.
    m_loupe->refreshLoupe();
    EXPECT_EQ(capture().captures().back().size(), QSize(28, 28));
}

TEST_F(QVLoupeControllerTest, ColoursOfExceptedApplicationsAreNotConverted)
{
    m_platform->windowList().setWindows({{7, "Proofer", QRectF(0, 0, 300, 300)},
                                         {8, "Browser", QRectF(300, 0, 300, 300)}});
    m_host.exceptedApp = "Proofer";
    m_loupe->setLoupeCenter({100, 100});
    EXPECT_FALSE(m_loupe->renderer()->convertColorToSRGB());
    m_loupe->setLoupeCenter({400, 100});
    EXPECT_TRUE(m_loupe->renderer()->convertColorToSRGB());
}

TEST_F(QVLoupeControllerTest, ColorAtAndTheCaptureCentreAreThePixelUnderTheHotSpot)
{
    // A one-pixel marker at top-left (640, 300), global (640, 780).
    capture().paint(QRect(640, 300, 1, 1), qRgb(255, 0, 0));
    const auto marker = m_loupe->colorAt({640, 300});
    ASSERT_TRUE(marker);
    EXPECT_EQ(marker->getRGBAHexString(), "FF0000FF");
    EXPECT_EQ(m_loupe->colorAt({640, 301})->getRGBAHexString(), "808080FF");

    m_loupe->setLoupeCenter({640, 780});
    ASSERT_TRUE(view().centerColor());
    EXPECT_EQ(view().centerColor()->getRGBAHexString(), "FF0000FF");
}

TEST_F(QVLoupeControllerTest, ValuesReachThePreferencesOnlyWhenTheyShowThemOrWhenPickingEnds)
{
    m_loupe->loupeChanged(true);
    EXPECT_TRUE(m_host.calls.empty());
    m_host.preferences = true;
    view().setZoomFactor(9);
    EXPECT_EQ(m_host.calls, std::vector<std::string>({"ignore on", "write 24 9", "ignore off"}));

    m_host.calls.clear();
    m_host.loading = true;
    m_loupe->loupeChanged(false);
    EXPECT_TRUE(m_host.calls.empty());
    m_host.loading = false;
    m_loupe->loupeChanged(false);
    EXPECT_EQ(m_host.calls, std::vector<std::string>({"write 24 9", "ignore off"}));
}

TEST_F(QVLoupeControllerTest, ALongPressHoldsHighPrecisionUntilTheReset)
{
    m_host.flags = modifierflags::kControl;
    m_loupe->checkHiDPIMode();
    m_scheduler.advance(0.5);
    EXPECT_TRUE(view().HiDPIActive());
    EXPECT_TRUE(m_loupe->mouse().mouseDetached());

    m_host.flags = 0;
    m_loupe->checkHiDPIMode();
    m_scheduler.advance(0.5);
    EXPECT_FALSE(view().HiDPIActive());
    EXPECT_FALSE(m_loupe->mouse().mouseDetached());

    // The long press holds it; releasing the key then changes nothing.
    m_loupe->activateHiDPIMode(1);
    m_scheduler.advance(0.5);
    m_loupe->activateHiDPIMode(0);
    m_loupe->deactivateHiDPIMode(0);
    m_scheduler.advance(0.5);
    EXPECT_TRUE(view().HiDPIActive());
    EXPECT_EQ(m_loupe->HiDPIActivators(), 1);

    m_loupe->resetHiDPIZoom();
    EXPECT_FALSE(view().HiDPIActive());
    EXPECT_EQ(m_loupe->HiDPIActivators(), 0);
    EXPECT_EQ(m_host.calls.back(), "clearLastFlags " + std::to_string(modifierflags::kControl));

    // The hot key's modifiers are ignored until released.
    m_host.ignoreFlags = true;
    m_host.flags = modifierflags::kControl;
    m_loupe->checkHiDPIMode();
    m_scheduler.advance(0.5);
    EXPECT_FALSE(view().HiDPIActive());
}

TEST_F(QVLoupeControllerTest, NothingIsCapturedWhileHoverModeFadesAndTheRefreshCatchesUp)
{
    m_loupe->setLoupeCenter({500, 700});
    m_loupe->hover().activateHoverMode();
    const std::size_t before = capture().captures().size();
    m_loupe->setLoupeCenter({520, 700});
    EXPECT_EQ(capture().captures().size(), before);
    m_scheduler.advance(0.2);
    EXPECT_EQ(m_loupe->hover().hoverMode(), QVHoverMode::On);
    // Where the loupe is now, not where the fade began.
    EXPECT_EQ(capture().captures().back(), QRect(507, 367, 26, 26));
}

TEST_F(QVLoupeControllerTest, HoverModeHidesTheGridFocusSquareAndInfoBoxAndBringsThemBack)
{
    QVLensLayerStack& stack = *m_loupe->layerStack();
    stack.setColorInfo(2);
    m_loupe->hover().activateHoverMode();
    m_scheduler.advance(0.3);
    EXPECT_FALSE(stack.showPixelGrid());
    EXPECT_FALSE(stack.showFocusRect());
    EXPECT_EQ(stack.colorInfo(), 0);
    // What is saved meanwhile is the user's mode, and a mode set meanwhile waits.
    EXPECT_EQ(m_loupe->hover().colorInfo(), 2);
    m_loupe->hover().setColorInfo(1);
    EXPECT_EQ(stack.colorInfo(), 0);
    m_loupe->hover().deactivateHoverMode();
    m_scheduler.advance(0.3);
    EXPECT_TRUE(stack.showPixelGrid());
    EXPECT_TRUE(stack.showFocusRect());
    EXPECT_EQ(stack.colorInfo(), 1);
}

TEST_F(QVLoupeControllerTest, AnyColorInfoModeComesBackUnchangedInAndOutOfHoverMode)
{
    for (const long long mode : {std::numeric_limits<long long>::max(), std::numeric_limits<long long>::min(), 1LL << 32}) {
        m_loupe->hover().setColorInfo(mode);
        EXPECT_EQ(m_loupe->hover().colorInfo(), mode);
        m_loupe->hover().activateHoverMode();
        EXPECT_EQ(m_loupe->hover().colorInfo(), mode);
        m_loupe->hover().deactivateHoverMode();
        m_scheduler.advance(0.3);
        EXPECT_EQ(m_loupe->hover().colorInfo(), mode);
    }
}

TEST_F(QVLoupeControllerTest, TheColorInfoToggleSwitchesBetweenTextAndNothing)
{
    for (const auto& [mode, next] : {std::pair {1, "0"}, {0, "1"}, {2, "1"}}) {
        m_loupe->layerStack()->setColorInfo(mode);
        m_host.calls.clear();
        m_loupe->toggleColorInfo();
        EXPECT_EQ(m_host.calls, std::vector<std::string>({std::string("updateCurrentColorInfo ") + next, "saveSettings"}));
    }
}

TEST_F(QVLoupeControllerTest, TheLensImageHasTheLensSizeAndLeavesTheLoupeAsItWas)
{
    QVLensLayerStack& stack = *m_loupe->layerStack();
    stack.setColorInfo(1);
    view().assignLayers();
    m_loupe->setLoupeCenter({500, 500});
    const QImage image = m_loupe->lensImage();
    EXPECT_EQ(QSizeF(image.size()), stack.lensSize());
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(image.pixel(image.width() / 2, image.height() / 2)), 255);
    EXPECT_EQ(stack.colorInfo(), 1);
    EXPECT_TRUE(stack.showFocusRect());
}

TEST_F(QVLoupeControllerTest, HoverModeToggledTwiceWithinItsFadeEndsOff)
{
    m_loupe->hover().toggleHoverMode();
    EXPECT_EQ(m_loupe->hover().hoverMode(), QVHoverMode::FadingIn);
    m_scheduler.advance(0.05);
    m_loupe->hover().toggleHoverMode();
    EXPECT_EQ(m_loupe->hover().hoverMode(), QVHoverMode::FadingOut);
    m_scheduler.advance(0.3);
    EXPECT_EQ(m_loupe->hover().hoverMode(), QVHoverMode::Off);
    EXPECT_FALSE(m_loupe->window().ignoresMouseEvents());
    EXPECT_FALSE(view().ignoreAllInput());

    m_loupe->hover().toggleHoverMode();
    m_scheduler.advance(0.3);
    EXPECT_EQ(m_loupe->hover().hoverMode(), QVHoverMode::On);
    EXPECT_TRUE(m_loupe->window().ignoresMouseEvents());
    EXPECT_TRUE(view().ignoreAllInput());
}

} // namespace
