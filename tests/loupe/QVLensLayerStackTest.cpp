#include "loupe/QVLensLayerStack.h"

#include "loupe/LensLayer.h"
#include "loupe/QVLensUICursorRenderer.h"
#include "loupe/QVLensUIInfoRenderer.h"
#include "loupe/QVLensUIRenderer.h"
#include "tests/loupe/LensTest.h"

#include "foundation/NotificationCenter.h"

namespace {

class QVLensLayerStackTest : public LensTest {};

TEST_F(QVLensLayerStackTest, CentreSquareShowsThePixelUnderThePointer)
{
    showCaptureOnly();
    m_view->setCapturedImg(pattern());
    const QImage frame = render();
    // At zoom 8 the picked pixel (13, 13) covers 196..203 on both axes around (200, 200).
    for (int v : {196, 200, 203}) {
        EXPECT_EQ(frame.pixel(v, 200), patternPixel(13, 13)) << v;
        EXPECT_EQ(frame.pixel(200, v), patternPixel(13, 13)) << v;
    }
    EXPECT_EQ(frame.pixel(195, 200), patternPixel(12, 13));
    EXPECT_EQ(frame.pixel(204, 200), patternPixel(14, 13));
    EXPECT_EQ(frame.pixel(200, 195), patternPixel(13, 12));
    EXPECT_EQ(frame.pixel(200, 204), patternPixel(13, 14));
    ASSERT_TRUE(m_stack->selectedColor());
    EXPECT_TRUE(m_stack->selectedColor()->isSame32BitColorAs(*m_view->centerColor()));
    // Outside the lens nothing is drawn.
    EXPECT_EQ(qAlpha(frame.pixel(200, 100)), 0);
    EXPECT_EQ(qAlpha(frame.pixel(10, 10)), 0);

    // A larger capture at zoom 3: the picked pixel (20, 20) covers 199..201.
    m_view->setZoomFactor(3.0);
    m_view->setCapturedImg(pattern(40));
    const QImage wide = render();
    EXPECT_EQ(wide.pixel(199, 201), patternPixel(20, 20));
    EXPECT_EQ(wide.pixel(198, 200), patternPixel(19, 20));
    EXPECT_EQ(wide.pixel(200, 202), patternPixel(20, 21));
}

TEST_F(QVLensLayerStackTest, OffsetMovesTheCentreByWholeMagnifiedPixels)
{
    showCaptureOnly();
    m_view->setCapturedImg(pattern());
    m_view->setOffset(QPointF(1, -1));
    // Right one pixel, and down one (the offset grows upwards).
    EXPECT_EQ(render().pixel(200, 200), patternPixel(14, 14));
    m_view->setZoomFactor(5.0);
    m_view->setOffset(QPointF(-2, 2));
    const QImage frame = render();
    EXPECT_EQ(frame.pixel(200, 200), patternPixel(11, 11));
    EXPECT_EQ(frame.pixel(205, 200), patternPixel(12, 11));
}

TEST_F(QVLensLayerStackTest, SelectedColourFollowsTheCaptureAndKeepsItWithoutOne)
{
    EXPECT_FALSE(m_stack->selectedColor());
    render();
    EXPECT_FALSE(m_stack->selectedColor());

    m_view->setCapturedImg(solid(qRgb(250, 250, 250)));
    m_stack->setConvertColorToSRGB(true);
    render();
    ASSERT_TRUE(m_stack->selectedColor() && m_stack->rawColor());
    // A capture already in sRGB is taken as it is.
    EXPECT_TRUE(m_stack->selectedColor()->isEqual(*m_stack->rawColor()));
    EXPECT_TRUE(m_stack->cursorRenderer().indicatorColor()->isEqual(Color::black()));
    EXPECT_TRUE(m_stack->infoRenderer().sRGBColor().isEqual(*m_stack->selectedColor()));

    m_view->setCapturedImg(solid(qRgb(10, 20, 30)));
    render();
    EXPECT_EQ(m_stack->selectedColor()->getRGBAHexString(), "0A141EFF");
    EXPECT_TRUE(m_stack->cursorRenderer().indicatorColor()->isEqual(Color::white()));

    m_view->setCapturedImg(QImage());
    render();
    EXPECT_EQ(m_stack->selectedColor()->getRGBAHexString(), "0A141EFF");
}

TEST_F(QVLensLayerStackTest, LayersAreFoundByNameAndRebuiltWithTheirSettings)
{
    EXPECT_TRUE(m_stack->hasSublayers());
    EXPECT_NE(m_stack->getUILayerByName("QVUILayer"), nullptr);
    EXPECT_NE(m_stack->getUILayerByName("QVUICursorLayer"), nullptr);
    EXPECT_NE(m_stack->getUILayerByName("QVUIInfoLayer"), nullptr);
    EXPECT_EQ(m_stack->getUILayerByName("QVUIOtherLayer"), nullptr);
    // The zoom view's renderer answers the same through the lens protocol.
    EXPECT_EQ(m_view->renderer()->getUILayerByName("QVUIInfoLayer"), m_stack->getUILayerByName("QVUIInfoLayer"));
    EXPECT_EQ(m_stack->getUILayerByName("QVUILayer")->frame(), QRectF(0, 0, 400, 400));
    EXPECT_EQ(m_stack->getUILayerByName("QVUICursorLayer")->frame(), QRectF(185, 185, 30, 30));

    m_stack->setShowPixelGrid(false);
    m_stack->setShowFocusRect(false);
    m_stack->setColorInfo(2);
    m_stack->setPeekModeActive(true);
    m_view->releaseLayers();
    EXPECT_FALSE(m_stack->hasSublayers());
    EXPECT_EQ(m_stack->getUILayerByName("QVUILayer"), nullptr);
    m_stack->setShowColorInfo(false);
    m_view->assignLayers();
    EXPECT_TRUE(m_stack->hasSublayers());
    EXPECT_FALSE(m_stack->showPixelGrid());
    EXPECT_FALSE(m_stack->showFocusRect());
    EXPECT_EQ(m_stack->colorInfo(), 2);
    EXPECT_TRUE(m_stack->peekModeActive());
    EXPECT_FALSE(m_stack->showColorInfo());
    EXPECT_EQ(m_stack->getUILayerByName("QVUIInfoLayer")->contentsScale(), 2.0);
}

TEST_F(QVLensLayerStackTest, ValueChangesAnnounceAndReplaceTheCursorLayer)
{
    int posted = 0;
    const auto token = NotificationCenter::defaultCenter().addObserver(
        QVLensBase::kAttributesChangedNotification, [&](const NotificationCenter::Notification& n) {
            EXPECT_EQ(n.sender, m_view.get());
            ++posted;
        });
    m_view->setMaxZoomFactor(35.0);
    m_view->setZoomFactor(9.0);
    NotificationCenter::defaultCenter().removeObserver(token);
    EXPECT_EQ(posted, 1);
    EXPECT_EQ(m_stack->getUILayerByName("QVUICursorLayer")->frame(), QRectF(165, 165, 70, 70));
    EXPECT_TRUE(m_stack->uiRenderer().invalid());
    EXPECT_TRUE(m_stack->cursorRenderer().invalid());
    EXPECT_TRUE(m_stack->infoRenderer().invalid());
}

TEST_F(QVLensLayerStackTest, NewBackingScaleRedrawsEveryLayerAtThatScale)
{
    m_stack->setLensCenter(QPointF(500, 500));
    render();
    for (const char* name : {"QVUILayer", "QVUICursorLayer", "QVUIInfoLayer"})
        EXPECT_FALSE(m_stack->getUILayerByName(name)->needsDisplay()) << name;
    setWindowScale(2.0);
    for (const char* name : {"QVUILayer", "QVUICursorLayer"})
        EXPECT_TRUE(m_stack->getUILayerByName(name)->needsDisplay()) << name;
    EXPECT_EQ(m_stack->getUILayerByName("QVUILayer")->contentsScale(), 2.0);
    EXPECT_EQ(m_stack->getUILayerByName("QVUICursorLayer")->contentsScale(), 2.0);
    // The info box never drops below scale 2.
    EXPECT_EQ(m_stack->getUILayerByName("QVUIInfoLayer")->contentsScale(), 2.0);
    EXPECT_FALSE(m_stack->getUILayerByName("QVUIInfoLayer")->needsDisplay());
    setWindowScale(3.0);
    EXPECT_EQ(m_stack->getUILayerByName("QVUIInfoLayer")->contentsScale(), 3.0);
    EXPECT_EQ(m_stack->locationHistoryCnt(), 1);
}

TEST_F(QVLensLayerStackTest, EachFrameRecordsItsRate)
{
    m_scheduler.advance(1.0);
    m_stack->setStartedLoupeRendering(m_scheduler.now());
    m_scheduler.advance(0.02);
    render();
    ASSERT_EQ(m_stack->frameRateHistoryCnt(), 1);
    EXPECT_NEAR(m_stack->frameRateHistory()[0], 50.0, 1e-6);
    EXPECT_EQ(m_stack->startedLoupeRendering(), 0);
    // A frame that takes no time on the clock has no rate.
    render();
    EXPECT_EQ(m_stack->frameRateHistoryCnt(), 1);
}

TEST_F(QVLensLayerStackTest, DebuggingOutlinesTheViewAndShowsItsValues)
{
    EXPECT_EQ(qAlpha(render().pixel(0, 200)), 0);
    m_view->setDebugging(true);
    m_stack->validateLayerStack();
    const QImage frame = render();
    EXPECT_GT(qRed(frame.pixel(0, 200)), 0);
    EXPECT_EQ(qGreen(frame.pixel(0, 200)), 0);
    // The values panel in the top left corner.
    EXPECT_EQ(frame.pixel(100, 78), qRgb(255, 255, 255));
}

} // namespace
