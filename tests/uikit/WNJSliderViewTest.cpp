#include "uikit/slideshow/WNJSliderView.h"

#include "uikit/application/NamedImage.h"
#include "uikit/slideshow/WNJSliderDotsControl.h"

#include "tests/uikit/FakeApplicationTest.h"

#include <QPushButton>
#include <QWheelEvent>

#include <string>

namespace {

class ShiftSlider final : public WNJSliderView {
public:
    bool shift = false;

protected:
    bool shiftHeld() const override { return shift; }
};

class WNJSliderViewTest : public FakeApplicationTest {
protected:
    void SetUp() override
    {
        FakeApplicationTest::SetUp();
        m_slider = std::make_unique<ShiftSlider>();
        m_slider->resize(400, 300);
        m_slider->setOnSlideWillChange([this](QWidget* current, QWidget* next) {
            m_calls.push_back("will " + name(current) + " " + name(next));
        });
        m_slider->setOnSlideDidChange([this](QWidget* displayed) { m_calls.push_back("did " + name(displayed)); });
    }
    void TearDown() override
    {
        m_slider.reset();
        FakeApplicationTest::TearDown();
    }
    void addSlides(int count)
    {
        for (int i = 0; i < count; ++i) {
            auto* slide = new QWidget;
            slide->setObjectName(QString::number(m_slider->slides().size()));
            m_slider->addSlide(slide);
        }
    }
    static std::string name(QWidget* view) { return view ? view->objectName().toStdString() : "nil"; }
    void swipe(std::vector<std::pair<Qt::ScrollPhase, int>> steps)
    {
        for (const auto& [phase, dx] : steps) {
            QWheelEvent event(QPointF(10, 10), QPointF(10, 10), QPoint(dx, 0), QPoint(dx * 8, 0), Qt::NoButton,
                              Qt::NoModifier, phase, false);
            QCoreApplication::sendEvent(m_slider.get(), &event);
        }
    }

    std::unique_ptr<ShiftSlider> m_slider;
    std::vector<std::string> m_calls;
};

TEST_F(WNJSliderViewTest, FirstSlideShowsAtOnceLaterOnesOnlyAddDots)
{
    addSlides(1);
    EXPECT_EQ(name(m_slider->displayedSlide()), "0");
    EXPECT_EQ(m_slider->displayedSlide()->geometry(), QRect(0, 0, 400, 300));
    addSlides(4);
    EXPECT_EQ(name(m_slider->displayedSlide()), "0");
    EXPECT_TRUE(m_calls.empty());
    EXPECT_EQ(m_slider->dotsControl()->dotsCount(), 5U);
    // Centred 8 pt above the bottom of a 400 pt wide slider.
    EXPECT_EQ(m_slider->dotsControl()->geometry(), QRect(148, 300 - 8 - 15, 125, 15));
    EXPECT_EQ(m_slider->dotsControl()->dotAt(4)->geometry(), QRect(88, 0, 15, 15));
}

TEST_F(WNJSliderViewTest, NextAndPreviousStopAtTheEndsAndReportChanges)
{
    addSlides(3);
    m_slider->displayPreviousSlide();
    EXPECT_TRUE(m_calls.empty());
    m_slider->displayNextSlide();
    m_slider->displayNextSlide();
    EXPECT_TRUE(m_slider->isLastSlide());
    m_slider->displayNextSlide();
    EXPECT_EQ(m_calls, (std::vector<std::string> {"will 0 1", "did 1", "will 1 2", "did 2"}));
    EXPECT_EQ(m_slider->indexOfDisplayedSlide(), 2U);
}

TEST_F(WNJSliderViewTest, PushComesFromTheRightGoingForwardAndTakesItsTime)
{
    addSlides(3);
    QWidget* first = m_slider->slides()[0];
    QWidget* second = m_slider->slides()[1];
    m_slider->displayNextSlide();
    EXPECT_EQ(second->x(), 400);
    m_scheduler.advance(0.15);
    EXPECT_GT(second->x(), 0);
    EXPECT_LT(second->x(), 400);
    EXPECT_EQ(first->x(), second->x() - 400);
    m_scheduler.advance(0.16);
    EXPECT_EQ(second->pos(), QPoint(0, 0));
    EXPECT_TRUE(first->isHidden());

    // Back comes from the left; Shift slows it to 1.5 s.
    m_slider->shift = true;
    m_slider->displayPreviousSlide();
    EXPECT_EQ(first->x(), -400);
    m_scheduler.advance(1.0);
    EXPECT_LT(first->x(), 0);
    m_scheduler.advance(0.51);
    EXPECT_EQ(first->pos(), QPoint(0, 0));

    // Without a configured duration Shift changes nothing.
    EXPECT_EQ(WNJSliderView::transitionDuration(true, 0), 0.3);
    EXPECT_EQ(WNJSliderView::transitionDuration(true, 0.6), 1.5);
    EXPECT_EQ(WNJSliderView::transitionDuration(false, 0.6), 0.3);
}

TEST_F(WNJSliderViewTest, SwipesPastTwentyPointsChangeTheSlide)
{
    addSlides(3);
    swipe({{Qt::ScrollBegin, 0}, {Qt::ScrollUpdate, -10}, {Qt::ScrollUpdate, -11}, {Qt::ScrollEnd, 0}});
    EXPECT_EQ(m_slider->indexOfDisplayedSlide(), 1U);
    swipe({{Qt::ScrollBegin, 0}, {Qt::ScrollUpdate, 20}, {Qt::ScrollEnd, 0}});
    EXPECT_EQ(m_slider->indexOfDisplayedSlide(), 1U);
    // Momentum is ignored; the deltas stay until the next gesture begins.
    swipe({{Qt::ScrollMomentum, 50}, {Qt::ScrollEnd, 0}});
    EXPECT_EQ(m_slider->indexOfDisplayedSlide(), 1U);
    swipe({{Qt::ScrollUpdate, 1}, {Qt::ScrollEnd, 0}});
    EXPECT_EQ(m_slider->indexOfDisplayedSlide(), 0U);
    EXPECT_EQ(m_slider->scrollDeltaX(), 21);
}

TEST_F(WNJSliderViewTest, DotsSelectAndFollowTheHighlight)
{
    addSlides(3);
    const QImage active = namedImage(QLatin1String(WNJSliderDotsControl::kActiveDotImage)).toImage();
    ASSERT_FALSE(active.isNull());
    auto shows = [&](unsigned index) {
        return m_slider->dotsControl()->dotAt(index)->icon().pixmap(15, 15).toImage().convertToFormat(active.format())
            == active;
    };
    // The first slide's dot is lit before any change.
    EXPECT_TRUE(shows(0));
    m_slider->dotsControl()->dotAt(2)->click();
    EXPECT_EQ(m_slider->indexOfDisplayedSlide(), 2U);
    EXPECT_TRUE(shows(2));
    EXPECT_FALSE(shows(0));
    m_calls.clear();
    m_slider->dotsControl()->dotAt(2)->click();
    m_slider->dotViewSelected(-1);
    m_slider->dotViewSelected(3);
    EXPECT_TRUE(m_calls.empty());
    EXPECT_TRUE(shows(2));
}

TEST_F(WNJSliderViewTest, RemovingTheDisplayedSlideShowsItsNeighbour)
{
    addSlides(3);
    m_slider->displaySlideAtIndex(2);
    m_scheduler.advance(1);
    QWidget* last = m_slider->slides()[2];
    m_slider->removeSlide(last);
    delete last;
    EXPECT_EQ(name(m_slider->displayedSlide()), "1");
    EXPECT_EQ(m_slider->indexOfDisplayedSlide(), 1U);
    EXPECT_EQ(m_slider->dotsControl()->dotsCount(), 2U);
    QWidget* first = m_slider->slides()[0];
    m_slider->removeSlide(first);
    delete first;
    EXPECT_EQ(name(m_slider->displayedSlide()), "1");
    EXPECT_EQ(m_slider->indexOfDisplayedSlide(), 0U);
}

} // namespace
