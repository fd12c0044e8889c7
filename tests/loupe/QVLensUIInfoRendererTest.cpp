#include "loupe/QVLensUIInfoRenderer.h"

#include "loupe/LensLayer.h"
#include "tests/loupe/LensTest.h"

#include "foundation/Dictionary.h"

#include <string>

namespace {

QVFormatDefinition exportFormat(const std::string& name, const std::string& displayTemplate)
{
    return QVFormatDefinition(Dictionary{{"name", Value(name)},
                                         {"displayFormat", Value(displayTemplate)},
                                         {"colorProfile", Value("srgb")}});
}

class QVLensUIInfoRendererTest : public LensTest {
protected:
    void SetUp() override
    {
        LensTest::SetUp();
        m_view->setCapturedImg(solid(qRgb(128, 64, 32)));
        m_stack->setExportFormat(exportFormat("HEX", "{{hexColor(color)}}"));
        moveLens(QPointF(640, 512));
    }
    void moveLens(const QPointF& center)
    {
        m_stack->setLensCenter(center);
        m_stack->redrawAll();
        render();
    }
    QVLensUIInfoRenderer& info() { return m_stack->infoRenderer(); }
    QRectF box() { return m_stack->getUILayerByName("QVUIInfoLayer")->frame(); }
    std::string text() { return info().displayText().value_or("<none>"); }
};

TEST_F(QVLensUIInfoRendererTest, BoxSizeFollowsTheModeAndTheWiderLine)
{
    const QRectF normal = box();
    EXPECT_EQ(normal.height(), 49);
    EXPECT_EQ(static_cast<int>(normal.width()) % 2, 0);
    m_stack->setExportFormat(exportFormat("A much longer name for the same colour", "{{hexColor(color)}}"));
    render();
    const QRectF longName = box();
    EXPECT_GT(longName.width(), normal.width());
    EXPECT_EQ(static_cast<int>(longName.width()) % 2, 0);
    m_stack->setExportFormat(exportFormat("HEX", "{{hexColor(color)}} with a long tail of words after it"));
    render();
    EXPECT_GT(box().width(), normal.width());

    m_stack->setColorInfo(2);
    EXPECT_EQ(box().size(), QSizeF(49, 49));
    m_stack->setColorInfo(7);
    EXPECT_EQ(box().size(), QSizeF(16, 16));
    m_stack->setColorInfo(0);
    EXPECT_TRUE(box().size().isEmpty());
    m_stack->setColorInfo(1);
    m_stack->setShowColorInfo(false);
    EXPECT_TRUE(box().size().isEmpty());
}

TEST_F(QVLensUIInfoRendererTest, BoxSitsOneZoomStepBesideTheCentreAndStepsAwayFromEdges)
{
    // Right of the centre pixel, centred on its row as closely as whole pixels allow.
    EXPECT_EQ(box().left(), 200 + 8);
    EXPECT_EQ(box().top(), 175);
    // Near the right edge of the screen it flips to the left.
    moveLens(QPointF(1270, 512));
    EXPECT_EQ(box().right(), 200 - 8);
    // Near the top of the screen it moves down by up to 20 points, near the bottom up.
    moveLens(QPointF(640, 1024 - 10));
    EXPECT_EQ(box().top(), 195);
    moveLens(QPointF(640, 1024 - 29));
    EXPECT_EQ(box().top(), 177);
    moveLens(QPointF(640, 1024 - 30));
    EXPECT_EQ(box().top(), 175);
    moveLens(QPointF(640, 10));
    EXPECT_EQ(box().top(), 155);
    moveLens(QPointF(640, 24));
    EXPECT_EQ(box().top(), 163);
}

TEST_F(QVLensUIInfoRendererTest, TextIsTheDisplayTemplateOrAnErrorInItsPlace)
{
    EXPECT_NE(text().find("804020"), std::string::npos) << text();
    // The same name again does not render again.
    m_stack->setExportFormat(exportFormat("HEX", "{{#"));
    render();
    EXPECT_NE(text().find("804020"), std::string::npos) << text();
    m_stack->setExportFormat(exportFormat("Broken", "{{#"));
    EXPECT_EQ(text(), "error in displayFormat");
    m_stack->setExportFormat(exportFormat("HEX", "{{hexColor(color)}}"));
    m_stack->setExportFormatProcessor(nullptr);
    m_stack->redrawAll();
    EXPECT_EQ(text(), "error in displayFormat");
    m_stack->setExportFormat(std::nullopt);
    EXPECT_FALSE(info().displayText());
}

TEST_F(QVLensUIInfoRendererTest, PeekModeRendersTheDisplayFormatInItsOwnStyle)
{
    m_processor.applyCodeStyle(Value(Dictionary{
        {"decimal", Value(Dictionary{{"precision", Value::integer(1)}, {"removeLeadingZero", Value::integer(1)}})}}));
    const std::string decimalRed = "{{decimal(color, rgba.r)}}";
    m_stack->setExportFormat(exportFormat("Red", decimalRed));
    m_stack->setDisplayFormat(QVDisplayFormatDefinition(
        Dictionary{{"name", Value("Red")}, {"displayFormat", Value(decimalRed)}}));
    m_stack->redrawAll();
    EXPECT_EQ(text(), ".5");
    m_stack->setPeekModeActive(true);
    EXPECT_EQ(text(), "0.502");
    m_stack->setPeekModeActive(false);
    EXPECT_EQ(text(), ".5");
}

TEST_F(QVLensUIInfoRendererTest, BoxIsFilledWithThePixelAndWrittenInItsContrast)
{
    const QImage frame = render();
    const QRectF b = box();
    // The box's own area starts 9 points inside the layer; its text is white on this
    // dark red.
    EXPECT_EQ(frame.pixel(static_cast<int>(b.left()) + 10, static_cast<int>(b.bottom()) - 11), qRgb(128, 64, 32));
    int textPixels = 0;
    for (int y = static_cast<int>(b.top()) + 9; y < static_cast<int>(b.bottom()) - 9; ++y)
        for (int x = static_cast<int>(b.left()) + 9; x < static_cast<int>(b.right()) - 9; ++x)
            textPixels += qRed(frame.pixel(x, y)) > 200 && qBlue(frame.pixel(x, y)) > 200;
    EXPECT_GT(textPixels, 20);
    // The shadow darkens the magnified capture around the box.
    const QRgb shadowed = frame.pixel(static_cast<int>(b.left()) + 7, static_cast<int>(b.center().y()));
    EXPECT_LT(qRed(shadowed), 128);
}

TEST_F(QVLensUIInfoRendererTest, AFirstPickOverBlackIsWrittenInWhite)
{
    // A new stack starts at black, so the first colour is no change.
    auto stack = std::make_unique<QVLensLayerStack>(m_view.get());
    m_stack = stack.get();
    m_view->setRenderer(std::move(stack));
    m_stack->setExportFormatProcessor(&m_processor);
    m_stack->setExportFormat(exportFormat("HEX", "{{hexColor(color)}}"));
    m_view->setCapturedImg(solid(qRgb(0, 0, 0)));
    moveLens(QPointF(640, 512));
    const QImage frame = render();
    const QRectF b = box();
    int textPixels = 0;
    for (int y = static_cast<int>(b.top()) + 9; y < static_cast<int>(b.bottom()) - 9; ++y)
        for (int x = static_cast<int>(b.left()) + 9; x < static_cast<int>(b.right()) - 9; ++x)
            textPixels += qGray(frame.pixel(x, y)) > 200;
    EXPECT_GT(textPixels, 20);
}

TEST_F(QVLensUIInfoRendererTest, NothingIsDrawnBeforeTheFirstLensCentre)
{
    ScaledZoomView view(QRect(0, 0, kViewSide, kViewSide));
    QVLensLayerStack stack(&view);
    LensLayer* layer = stack.getUILayerByName("QVUIInfoLayer");
    auto painted = [&] {
        layer->displayIfNeeded();
        const QImage contents = layer->contents();
        int count = 0;
        for (int y = 0; y < contents.height(); ++y)
            for (int x = 0; x < contents.width(); ++x)
                count += qAlpha(contents.pixel(x, y)) > 0;
        return count;
    };
    EXPECT_EQ(painted(), 0);
    stack.setLensCenter(QPointF(640, 512));
    stack.redrawAll();
    EXPECT_GT(painted(), 0);
}

} // namespace
