#include "uikit/swatches/WNJIndicatorCollectionView.h"

#include "uikit/swatches/WNJICItemView.h"
#include "uikit/swatches/WNJIndicatorCollectionItem.h"
#include "uikit/swatches/WNJIndicatorScrollView.h"

#include "foundation/Log.h"
#include "tests/uikit/FakeApplicationTest.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>

namespace {

// A window that records the keys that reach it.
class KeyWindow final : public QWidget {
public:
    void keyPressEvent(QKeyEvent* event) override { keys.push_back(event->key()); }
    std::vector<int> keys;
};

class WNJIndicatorCollectionViewTest : public FakeApplicationTest {
protected:
    void SetUp() override
    {
        FakeApplicationTest::SetUp();
        m_window = std::make_unique<KeyWindow>();
        m_window->resize(400, 60);
        m_scroll = WNJIndicatorScrollView::withHiddenScrollers(QRect(0, 0, 210, 52), m_window.get());
        m_strip = new WNJIndicatorCollectionView(QRect(0, 0, 210, 50), WNJICItemView::itemSize());
        m_scroll->setWidget(m_strip);
        m_strip->setOnUpdateButton([](WNJIndicatorCollectionItem&) {});
        std::vector<Color> colors;
        for (int i = 0; i < 10; ++i)
            colors.push_back(Color::sRGB(i / 10.0, 0.5, 0.5));
        m_strip->setContent(colors);
    }
    void TearDown() override
    {
        m_window.reset();
        FakeApplicationTest::TearDown();
    }

    void key(int code)
    {
        QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier);
        QCoreApplication::sendEvent(m_strip, &press);
    }
    // A click at the strip point; the drag loop it starts ends at once.
    void click(QPoint point, QEvent::Type type = QEvent::MouseButtonPress, Qt::KeyboardModifiers modifiers = {})
    {
        QTimer::singleShot(0, m_strip, [this, point] {
            auto* release = new QMouseEvent(QEvent::MouseButtonRelease, point, m_strip->mapToGlobal(point),
                                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
            QCoreApplication::postEvent(m_strip, release);
        });
        QMouseEvent press(type, point, m_strip->mapToGlobal(point), Qt::LeftButton, Qt::LeftButton, modifiers);
        QCoreApplication::sendEvent(m_strip, &press);
    }
    int selected() const
    {
        const auto indexes = m_strip->selectionIndexes();
        return indexes.empty() ? -1 : static_cast<int>(indexes.front());
    }

    std::unique_ptr<KeyWindow> m_window;
    WNJIndicatorScrollView* m_scroll = nullptr;
    WNJIndicatorCollectionView* m_strip = nullptr;
};

TEST_F(WNJIndicatorCollectionViewTest, SelectionIgnoresNothingAndIndexesPastTheEnd)
{
    int announcements = 0;
    QObject::connect(m_strip, &WNJIndicatorCollectionView::selectionIndexesChanged, [&] { ++announcements; });
    m_strip->setSelectionIndexes({3});
    EXPECT_EQ(selected(), 3);
    EXPECT_EQ(m_strip->selectedItem(), m_strip->itemAtIndex(3)->view());
    m_strip->setSelectionIndexes({});
    m_strip->setSelectionIndexes({10});
    EXPECT_EQ(selected(), 3);
    EXPECT_EQ(announcements, 1);

    // A shorter content drops a selection past its end.
    m_strip->setContent({Color::black(), Color::white()});
    EXPECT_EQ(selected(), -1);
    EXPECT_EQ(m_strip->selectedItem(), nullptr);
    m_strip->setContent({});
    m_strip->setSelectionIndexes({0});
    EXPECT_EQ(selected(), -1);
}

TEST_F(WNJIndicatorCollectionViewTest, MarksGlideToTheSelectionInTwoStages)
{
    m_window->show();
    m_strip->setSelectionIndexes({2});
    // Centre 105: the frame goes to x 83, the arrow rests 2 pt into the row's bottom band.
    m_scheduler.advance(NJAnimationGroup::kFrameInterval * 2);
    EXPECT_GT(m_strip->selectionView()->x(), 0);
    EXPECT_LT(m_strip->selectionView()->x(), 83);
    m_scheduler.advance(WNJIndicatorCollectionView::kMoveDuration);
    EXPECT_EQ(m_strip->selectionView()->pos(), QPoint(83, 0));
    EXPECT_EQ(m_strip->arrowView()->x(), 83);
    EXPECT_GT(m_strip->arrowView()->y(), 42);
    m_scheduler.advance(WNJIndicatorCollectionView::kArrowDuration + 0.05);
    EXPECT_EQ(m_strip->arrowView()->pos(), QPoint(83, 52 + 2 - 12));
    EXPECT_TRUE(m_strip->arrowView()->isVisible());

    // A newer selection while the stages run wins.
    m_strip->setSelectionIndexes({4});
    m_scheduler.advance(0.05);
    m_strip->setSelectionIndexes({1});
    m_scheduler.advance(1);
    EXPECT_EQ(m_strip->selectionView()->pos(), QPoint(41, 0));
    EXPECT_EQ(m_strip->arrowView()->pos(), QPoint(41, 42));
}

TEST_F(WNJIndicatorCollectionViewTest, HiddenWindowPlacesTheMarksAtOnce)
{
    m_strip->setSelectionIndexes({1});
    EXPECT_EQ(m_strip->selectionView()->pos(), QPoint(41, 0));
    EXPECT_EQ(m_strip->arrowView()->pos(), QPoint(41, 42));
    m_strip->hideSelectionAnimated(false);
    EXPECT_FALSE(m_strip->selectionView()->isVisibleTo(m_strip));
    m_strip->setSelectionIndexes({5});
    EXPECT_FALSE(m_strip->selectionView()->isVisibleTo(m_strip));
    EXPECT_EQ(m_strip->selectionView()->x(), 5 * 42 + 21 - 22);
}

TEST_F(WNJIndicatorCollectionViewTest, ReselectingOnlyBringsTheArrowBack)
{
    m_window->show();
    m_strip->setSelectionIndexes({1});
    m_scheduler.advance(1);
    m_strip->animateArrowOut();
    m_scheduler.advance(1);
    EXPECT_EQ(m_strip->arrowView()->y(), m_strip->height());
    EXPECT_FALSE(m_strip->arrowIn());
    m_strip->setSelectionIndexes({1});
    EXPECT_TRUE(m_strip->arrowIn());
    m_scheduler.advance(1);
    EXPECT_EQ(m_strip->arrowView()->pos(), QPoint(41, 42));
    EXPECT_EQ(m_strip->selectionView()->pos(), QPoint(41, 0));
}

TEST_F(WNJIndicatorCollectionViewTest, FadesRunOnTheNextTurnOverPointFourSeconds)
{
    m_strip->setSelectionIndexes({0});
    m_strip->hideSelectionAnimated(true);
    EXPECT_FALSE(m_strip->showSelection());
    m_scheduler.advance(0.2);
    EXPECT_NEAR(NJAnimationGroup::widgetOpacity(m_strip->selectionView()), 0.5, 0.05);
    m_strip->showSelectionAnimated(true);
    EXPECT_EQ(NJAnimationGroup::widgetOpacity(m_strip->arrowView()), 0.0);
    EXPECT_TRUE(m_strip->selectionView()->isVisibleTo(m_strip));
    m_scheduler.advance(0.41);
    EXPECT_EQ(NJAnimationGroup::widgetOpacity(m_strip->arrowView()), 1.0);
    EXPECT_EQ(NJAnimationGroup::widgetOpacity(m_strip->selectionView()), 1.0);
}

TEST_F(WNJIndicatorCollectionViewTest, ArrowKeysStayInTheStripOtherKeysReachTheWindow)
{
    key(Qt::Key_Right);
    EXPECT_EQ(selected(), -1);
    m_strip->setSelectionIndexes({0});
    key(Qt::Key_Left);
    EXPECT_EQ(selected(), 0);
    key(Qt::Key_Right);
    EXPECT_EQ(selected(), 1);
    m_strip->setSelectionIndexes({9});
    key(Qt::Key_Right);
    EXPECT_EQ(selected(), 9);
    key(Qt::Key_Left);
    EXPECT_EQ(selected(), 8);
    EXPECT_TRUE(m_window->keys.empty());
    key(Qt::Key_Return);
    EXPECT_EQ(m_window->keys, std::vector<int> {Qt::Key_Return});
}

TEST_F(WNJIndicatorCollectionViewTest, ClicksSelectAndReachTheirCallbacks)
{
    m_window->show();
    int doubles = 0;
    int alternatives = 0;
    m_strip->setOnDoubleClick([&] { ++doubles; });
    m_strip->setOnAlternativeActionClick([&](WNJIndicatorCollectionView& strip) {
        EXPECT_EQ(&strip, m_strip);
        ++alternatives;
    });
    click(QPoint(130, 20));
    EXPECT_EQ(selected(), 3);
    EXPECT_EQ(doubles + alternatives, 0);
    click(QPoint(50, 20), QEvent::MouseButtonPress, Qt::AltModifier);
    EXPECT_EQ(selected(), 1);
    EXPECT_EQ(alternatives, 1);
    EXPECT_EQ(doubles, 0);
    click(QPoint(10, 20), QEvent::MouseButtonDblClick);
    EXPECT_EQ(selected(), 0);
    EXPECT_EQ(doubles, 1);
    EXPECT_EQ(alternatives, 1);

    EXPECT_EQ(m_strip->itemAtPointInWindow(m_strip->mapTo(m_window.get(), QPoint(85, 5))), 2U);
    EXPECT_EQ(m_strip->itemAtPointInWindow(QPoint(-5, 5)), std::nullopt);
}

TEST_F(WNJIndicatorCollectionViewTest, FirstPaintSelectsTheFirstSwatch)
{
    m_strip->grab();
    EXPECT_TRUE(m_strip->isInitialized());
    m_scheduler.runPending();
    EXPECT_EQ(selected(), 0);
}

TEST_F(WNJIndicatorCollectionViewTest, FavouriteButtonBlinksAndReportsPresses)
{
    WNJIndicatorCollectionItem* item = m_strip->itemAtIndex(2);
    WNJIndicatorCollectionItem* pressed = nullptr;
    m_strip->setOnButtonClick([&](WNJIndicatorCollectionItem& clicked) { pressed = &clicked; });
    item->button()->click();
    EXPECT_EQ(pressed, item);

    m_window->show();
    item->blinkButton(0.4);
    std::vector<bool> seen {item->button()->isVisible()};
    for (int step = 0; step < 3; ++step) {
        m_scheduler.advance(0.4 / 3 + 1e-6);
        seen.push_back(item->button()->isVisible());
    }
    EXPECT_EQ(seen, (std::vector<bool> {false, true, false, true}));
}

TEST_F(WNJIndicatorCollectionViewTest, MissingButtonStylingIsLogged)
{
    m_strip->setOnUpdateButton({});
    logging::Capture log;
    m_strip->updateButtons();
    EXPECT_EQ(log.lines(), std::vector<std::string>(10, "Not set!"));
}

QImage swatch(WNJIndicatorCollectionItem& item)
{
    QImage image(42, 42, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    item.drawColorImage(painter, QRectF(0, 0, 42, 42));
    return image;
}

TEST_F(WNJIndicatorCollectionViewTest, SwatchShowsTranslucencyOverBlackAndWhite)
{
    m_strip->setContent({Color::sRGB(1, 0, 0, 0.5), Color::sRGB(0, 0, 0, 0), Color::sRGB(0.2, 0.4, 0.6)});
    const QImage translucent = swatch(*m_strip->itemAtIndex(0));
    // Upper right over black, lower left over white.
    EXPECT_EQ(QColor(translucent.pixel(30, 8)), QColor(128, 0, 0));
    EXPECT_EQ(QColor(translucent.pixel(8, 30)), QColor(255, 127, 127));

    // The clear colour shows the triangle, under the strip's background when it has one.
    for (const std::optional<Color>& background : {std::optional<Color>(), std::optional<Color>(Color())}) {
        m_strip->setBackgroundColor(background);
        const QImage clear = swatch(*m_strip->itemAtIndex(1));
        EXPECT_EQ(QColor(clear.pixel(30, 8)), QColor(Qt::black)) << background.has_value();
        EXPECT_EQ(QColor(clear.pixel(8, 30)), QColor(Qt::white)) << background.has_value();
    }
    m_strip->setBackgroundColor(Color::sRGB(0, 1, 0, 0.5));
    const QImage tinted = swatch(*m_strip->itemAtIndex(1));
    EXPECT_EQ(QColor(tinted.pixel(30, 8)), QColor(0, 128, 0));
    EXPECT_EQ(QColor(tinted.pixel(8, 30)), QColor(127, 255, 127));
    m_strip->setBackgroundColor(Color::sRGB(0, 1, 0));
    EXPECT_EQ(QColor(swatch(*m_strip->itemAtIndex(1)).pixel(20, 20)), QColor(0, 255, 0));

    const QImage opaque = swatch(*m_strip->itemAtIndex(2));
    const QColor middle(opaque.pixel(20, 20));
    EXPECT_EQ(middle, QColor(51, 102, 153));
    // The right edge line and the shadow along the bottom darken the colour.
    EXPECT_LT(QColor(opaque.pixel(41, 20)).blue(), middle.blue());
    EXPECT_LT(QColor(opaque.pixel(20, 41)).blue(), QColor(opaque.pixel(20, 38)).blue());
    EXPECT_LT(QColor(opaque.pixel(20, 38)).blue(), middle.blue());
}

TEST_F(WNJIndicatorCollectionViewTest, SelectionFrameRoundsItsInnerCornerOnlyOnTheFirstSwatch)
{
    m_strip->setSelectionIndexes({3});
    m_scheduler.runPending();
    const QImage square = m_strip->selectionView()->pixmap().toImage();
    m_strip->setSelectionIndexes({0});
    m_scheduler.runPending();
    const QImage rounded = m_strip->selectionView()->pixmap().toImage();
    // Just inside the frame at the top left corner, and the same at the top right.
    EXPECT_NE(square.pixel(4, 4), rounded.pixel(4, 4));
    EXPECT_EQ(square.pixel(39, 4), rounded.pixel(39, 4));
    // The white frame of the light theme.
    EXPECT_EQ(QColor(rounded.pixel(22, 2)), QColor(Qt::white));

    const QImage arrow = m_strip->arrowView()->pixmap().toImage();
    EXPECT_EQ(QColor(arrow.pixel(22, 8)), QColor(Qt::white));
    EXPECT_LT(qAlpha(arrow.pixel(16, 3)), 40);
}

TEST_F(WNJIndicatorCollectionViewTest, ScrollingGlidesAndKnowsWhenItWouldNotMove)
{
    m_window->show();
    m_scroll->scrollToXPosition(0.4f);
    EXPECT_FALSE(m_scroll->scrollAnimation());
    EXPECT_EQ(m_scheduler.pendingCount(), 0U);

    m_scroll->scrollToXPosition(200);
    EXPECT_TRUE(m_scroll->scrollAnimation());
    const double duration = WNJScrollView::scrollDuration(200, 210);
    EXPECT_NEAR(duration, 0.3 * 52.5 / 200, 1e-9);
    m_scheduler.advance(duration / 2);
    EXPECT_GT(m_scroll->horizontalScrollBar()->value(), 0);
    EXPECT_LT(m_scroll->horizontalScrollBar()->value(), 200);
    m_scheduler.advance(duration);
    EXPECT_EQ(m_scroll->horizontalScrollBar()->value(), 200);
    EXPECT_FALSE(m_scroll->scrollAnimation());
    EXPECT_EQ(WNJScrollView::scrollDuration(10, 210), 0.3);
}

TEST_F(WNJIndicatorCollectionViewTest, ClipViewDrawsSeparatorsAtSwatchBoundaries)
{
    delete m_scroll->takeWidget();
    QImage image(m_scroll->viewport()->size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    m_scroll->viewport()->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    // Over white the lines darken only where they fall.
    const int between = qRed(image.pixel(21, 20));
    EXPECT_LT(qRed(image.pixel(42, 20)), between);
    EXPECT_LT(qRed(image.pixel(84, 20)), between);
    EXPECT_EQ(qRed(image.pixel(63, 20)), between);
    EXPECT_LT(qRed(image.pixel(100, image.height() - 1)), between);
}

} // namespace
