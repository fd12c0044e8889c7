#include "uikit/views/NJBlurEffectView.h"
#include "uikit/views/NJGrayLine.h"
#include "uikit/views/QVVerticallyCenteredTextFieldCell.h"
#include "uikit/views/WNJBackgroundView.h"
#include "uikit/views/WNJEmbeddingView.h"
#include "uikit/swatches/WNJFavoriteButtonView.h"
#include "uikit/views/WNJInfoView.h"
#include "uikit/views/WNJRoundedClippingView.h"
#include "uikit/views/WNJRoundedView.h"
#include "uikit/slideshow/WNJSliderCell.h"
#include "uikit/views/WNJSlimScroller.h"

#include "tests/uikit/FakeApplicationTest.h"

#include <QCoreApplication>
#include <QImage>
#include <QPainter>

namespace {

// Counts the paint events a widget gets.
class PaintCounter final : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
    int count = 0;
};

// Paints its left half black.
class HalfBlack final : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(0, 0, width() / 2, height(), Qt::black); }
};

class ThemedViewsTest : public FakeApplicationTest {
protected:
    void makeDark(bool dark)
    {
        m_defaults.setObject("userInterface", Value(dark ? "dark" : "light"));
        m_app->themeChanged();
    }
    static QImage render(QWidget& view)
    {
        QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        view.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        return image;
    }
};

TEST_F(ThemedViewsTest, OpaqueBackgroundRepaintsOnlyForANewColour)
{
    WNJBackgroundView view(QRect(0, 0, 50, 40), nullptr);
    view.show();
    QCoreApplication::processEvents();
    PaintCounter counter(&view);
    view.setBackgroundColor(QColor(Qt::red));
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.count, 1);
    view.setBackgroundColor(QColor(Qt::red));
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.count, 1);
    EXPECT_EQ(QColor(render(view).pixel(25, 20)), QColor(Qt::red));
}

TEST_F(ThemedViewsTest, BackgroundTakesTheThemeAndDrawsGradientAndStroke)
{
    WNJBackgroundView framed(QRect(0, 0, 50, 40), nullptr);
    EXPECT_EQ(framed.backgroundColor(), QColor::fromRgbF(1, 1, 1, 0.75f));
    EXPECT_EQ(framed.angle(), 270);
    makeDark(true);
    WNJBackgroundView fromFile;
    EXPECT_EQ(fromFile.backgroundColor(), QColor::fromRgbF(0.2f, 0.2f, 0.2f, 0.95f));
    EXPECT_FALSE(fromFile.drawsBackgroundColor());

    // Only one gradient colour: the plain background.
    framed.setStartingColor(QColor(Qt::red));
    framed.setBackgroundColor(QColor(Qt::blue));
    EXPECT_EQ(QColor(render(framed).pixel(25, 20)), QColor(Qt::blue));
    // At 270 degrees the gradient runs from the top down.
    framed.setEndingColor(QColor(Qt::green));
    framed.setBottomStrokeColor(QColor(Qt::black));
    const QImage image = render(framed);
    EXPECT_GT(qRed(image.pixel(25, 0)), 240);
    EXPECT_GT(qGreen(image.pixel(25, 38)), 220);
    EXPECT_EQ(QColor(image.pixel(25, 39)), QColor(Qt::black));
}

TEST_F(ThemedViewsTest, RoundedViewRoundsTheCornersItNamesAsSeenOnScreen)
{
    WNJRoundedView view(QRect(0, 0, 40, 30), nullptr);
    view.setBackgroundColor(QColor(Qt::red));
    view.setRoundedCorners(1);
    QImage image = render(view);
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(image.pixel(39, 0)), 255);
    EXPECT_EQ(qAlpha(image.pixel(0, 29)), 255);
    view.setRoundedCorners(8);
    image = render(view);
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 255);
    EXPECT_EQ(qAlpha(image.pixel(39, 29)), 0);
}

TEST_F(ThemedViewsTest, HairlinesSitOnTheBottomEdgeInTheThemeColour)
{
    WNJInfoView info;
    info.resize(40, 20);
    QImage image = render(info);
    EXPECT_GT(qAlpha(image.pixel(20, 19)), 0);
    EXPECT_EQ(qAlpha(image.pixel(20, 17)), 0);
    EXPECT_EQ(qRed(image.pixel(20, 19)), 0);
    info.setHideStroke(true);
    EXPECT_EQ(qAlpha(render(info).pixel(20, 19)), 0);

    makeDark(true);
    WNJFavoriteButtonView favorite;
    favorite.resize(40, 20);
    image = render(favorite);
    const QColor fill = QColor::fromRgba(image.pixel(20, 10));
    EXPECT_NEAR(fill.alphaF(), 0.75, 0.01);
    EXPECT_GT(qRed(image.pixel(20, 19)), qRed(image.pixel(20, 10)));
    EXPECT_GT(qRed(image.pixel(0, 10)), qRed(image.pixel(20, 10)));
}

TEST_F(ThemedViewsTest, EmbeddingFillGreyLineAndClippingFollowTheirViews)
{
    WNJEmbeddingView embedding;
    embedding.resize(20, 20);
    render(embedding);
    EXPECT_EQ(embedding.backgroundColor(), QColor::fromRgbF(1, 1, 1, 0.95f));
    makeDark(true);
    EXPECT_EQ(QColor::fromRgba(render(embedding).pixel(10, 10)).alpha(), 242);
    EXPECT_EQ(embedding.backgroundColor(), QColor::fromRgbF(0, 0, 0, 0.95f));

    NJGrayLine line;
    line.resize(40, 11);
    const QImage image = render(line);
    EXPECT_GT(qAlpha(image.pixel(20, 5)), 0);
    EXPECT_EQ(qAlpha(image.pixel(20, 2)), 0);

    WNJRoundedClippingView clipping;
    clipping.resize(40, 30);
    EXPECT_FALSE(clipping.mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(clipping.mask().contains(QPoint(20, 15)));
}

TEST_F(ThemedViewsTest, ThemeAwareViewRepaintsOnAppearanceChange)
{
    WNJInfoView info;
    info.show();
    QCoreApplication::processEvents();
    PaintCounter counter(&info);
    makeDark(true);
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.count, 1);
}

TEST_F(ThemedViewsTest, SliderMarksTheRangeBeyondItsMaximum)
{
    WNJSliderCell slider;
    slider.setRange(0, 100);
    const QRectF bar(10, 0, 200, 4);
    EXPECT_TRUE(slider.forbiddenRect(bar).isEmpty());
    slider.setMaxSliderValue(50);
    EXPECT_EQ(slider.forbiddenRect(bar), QRectF(110, 0, 100, 4));
    slider.setMaxSliderValue(150);
    EXPECT_TRUE(slider.forbiddenRect(bar).isEmpty());
    slider.setRange(5, 5);
    EXPECT_TRUE(slider.forbiddenRect(bar).isEmpty());
}

TEST_F(ThemedViewsTest, SliderMarkLiesWithinTheGrooveAsDrawn)
{
    WNJSliderCell slider(Qt::Horizontal);
    slider.setRange(21, 101);
    slider.setValue(21);
    slider.resize(200, 30);
    const QImage plain = slider.grab().toImage();
    slider.setMaxSliderValue(41);
    const QImage marked = slider.grab().toImage();
    const int x = 150;
    int black = 0;
    for (int y = 0; y < marked.height(); ++y) {
        if (marked.pixelColor(x, y).lightness() > 60)
            continue;
        ++black;
        // Where the plain slider draws nothing, the mark draws nothing either.
        EXPECT_NE(plain.pixelColor(x, y), plain.pixelColor(x, 0)) << "row " << y;
    }
    EXPECT_GT(black, 0);
}

TEST_F(ThemedViewsTest, SlimScrollerHasOnlyAKnobAndItsSlot)
{
    WNJSlimScroller scroller;
    scroller.resize(7, 200);
    scroller.setRange(0, 100);
    scroller.setPageStep(50);
    EXPECT_TRUE(scroller.rectForPart(WNJSlimScroller::Part::IncrementLine).isNull());
    EXPECT_TRUE(scroller.rectForPart(WNJSlimScroller::Part::DecrementPage).isNull());
    EXPECT_EQ(scroller.rectForPart(WNJSlimScroller::Part::KnobSlot), QRectF(0, 0, 7, 200));
    const QRectF knob = scroller.rectForPart(WNJSlimScroller::Part::Knob);
    EXPECT_EQ(knob.x(), 1);
    EXPECT_EQ(knob.width(), 5);
    EXPECT_GT(knob.height(), 0);
    EXPECT_EQ(scroller.sizeHint().width(), 7);
}

TEST_F(ThemedViewsTest, BlurViewAssignsOnlyTheFiltersItHasMade)
{
    NJBlurEffectView view;
    EXPECT_EQ(view.tintColor(), QColor::fromRgbF(1, 1, 1, 0.7f));
    EXPECT_EQ(view.blurRadius(), 20);
    EXPECT_EQ(view.saturationFactor(), 2);
    view.setAsBackgroundFilters(true);
    EXPECT_TRUE(view.backgroundFilters().empty());
    EXPECT_TRUE(view.contentFilters().empty());
    EXPECT_EQ(view.graphicsEffect(), nullptr);

    view.setSaturationFactorNumber(0.85);
    view.setBlurRadius(10);
    using Filter = NJBlurEffectView::Filter;
    const std::vector<Filter> both {{"CIGaussianBlur", "inputRadius", 10}, {"CIColorControls", "inputSaturation", 0.85f}};
    EXPECT_EQ(view.backgroundFilters(), both);
    view.setAsBackgroundFilters(false);
    EXPECT_EQ(view.contentFilters(), both);
    EXPECT_NE(view.graphicsEffect(), nullptr);
    // A blur of 0 at full saturation leaves the content as it is.
    view.setBlurRadius(0, 1);
    EXPECT_EQ(view.contentFilters().size(), 2u);
    EXPECT_EQ(view.graphicsEffect(), nullptr);
    view.clearFilters();
    EXPECT_TRUE(view.contentFilters().empty());
    EXPECT_EQ(view.graphicsEffect(), nullptr);
    EXPECT_EQ(view.backgroundFilters(), both);
}

TEST_F(ThemedViewsTest, BlurViewSoftensWhatLiesBehindIt)
{
    HalfBlack parent;
    parent.resize(100, 50);
    auto* view = new NJBlurEffectView(&parent);
    view->setGeometry(0, 0, 100, 50);
    view->setTintColor(std::nullopt);
    view->setAsBackgroundFilters(true);
    view->setBlurRadius(8, 1);
    const QImage image = render(*view);
    // Black on the left, the window's light background on the right, and the blur
    // softens the sharp edge at x 50 both ways.
    const int light = qRed(image.pixel(90, 25));
    EXPECT_GT(light, 128);
    EXPECT_EQ(qRed(image.pixel(10, 25)), 0);
    EXPECT_GT(qRed(image.pixel(48, 25)), 0);
    EXPECT_LT(qRed(image.pixel(52, 25)), light);
}

TEST_F(ThemedViewsTest, CentredTextSitsInTheMiddle)
{
    QVVerticallyCenteredTextFieldCell cell;
    cell.setText(QStringLiteral("Text"));
    const QRectF title = cell.titleRectForBounds(QRectF(0, 10, 100, 60));
    EXPECT_NEAR(title.center().y(), 40, 0.5);
    EXPECT_EQ(title.width(), 100);
}

} // namespace
