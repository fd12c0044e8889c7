#include "ControllerFixture.h"

#include "app/banner/NJNotification.h"
#include "app/banner/NJNotificationWindow.h"
#include "uikit/animation/NJAnimationGroup.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>

#include <gtest/gtest.h>

namespace {

// A status item 22 points high at x 500, at the top of the screen.
const QRect kStatusItem(500, 0, 22, 22);

class NJNotificationTest : public ControllerFixture {
protected:
    void SetUp() override
    {
        ControllerFixture::SetUp();
        m_banner = std::make_unique<NJNotification>([this] { return m_item; }, [this] { ++m_clicks; },
                                                    [this] { return m_dark; });
    }
    void TearDown() override
    {
        m_banner.reset();
        ControllerFixture::TearDown();
    }
    int top() const { return m_banner->window().geometry().top(); }

    QRect m_item = kStatusItem;
    bool m_dark = false;
    int m_clicks = 0;
    std::unique_ptr<NJNotification> m_banner;
};

TEST_F(NJNotificationTest, TheBannerIsAsWideAsItsTextAndImageUpToHalfTheScreen)
{
    m_banner->present("336699", QImage(), 3.0);
    const QFontMetrics metrics(m_banner->window().textField()->font());
    EXPECT_EQ(m_banner->window().width(), metrics.horizontalAdvance("336699") + NJNotificationWindow::kImageSide + 20);

    m_scheduler.advance(4.0);
    const int half = QGuiApplication::screens().first()->geometry().width() / 2;
    m_banner->present(std::string(400, 'W'), QImage(), 3.0);
    EXPECT_LE(m_banner->window().width(), half + NJNotificationWindow::kImageSide + 20);
    EXPECT_TRUE(m_banner->window().textField()->text().endsWith(QChar(0x2026)));
}

TEST_F(NJNotificationTest, ItDropsInUnderTheStatusItemAndSlidesAwayAfterItsTime)
{
    m_banner->present("336699", QImage(), 3.0);
    const auto frames = m_banner->calculatePositions();
    EXPECT_EQ(frames.start.top(), 10);
    EXPECT_EQ(frames.shown.top(), 22 + 10);
    EXPECT_EQ(frames.end.top(), 22 + 20);
    EXPECT_EQ(frames.shown.center().x(), kStatusItem.x() + 11);
    EXPECT_EQ(top(), 10);
    m_scheduler.advance(0.21);
    EXPECT_GT(top(), 10);
    EXPECT_LT(top(), 32);
    // The last frame lands within one frame of the end.
    m_scheduler.advance(0.21 + NJAnimationGroup::kFrameInterval);
    EXPECT_EQ(top(), 32);
    EXPECT_FALSE(m_banner->animationIsRunning());

    m_scheduler.advance(2.57 - NJAnimationGroup::kFrameInterval);
    EXPECT_FALSE(m_banner->animationIsRunning());
    m_scheduler.advance(0.02);
    EXPECT_TRUE(m_banner->animationIsRunning());
    m_scheduler.advance(0.56 + NJAnimationGroup::kFrameInterval);
    EXPECT_FALSE(m_banner->isVisible());
    EXPECT_EQ(top(), 42);
}

TEST_F(NJNotificationTest, UnderAnIconAtTheScreensEdgeTheWholeBannerStaysOnTheScreen)
{
    const QRect screen = QGuiApplication::screens().first()->geometry();
    for (const int iconX : {screen.right() - 21, screen.left()}) {
        m_item = QRect(iconX, 0, 22, 22);
        m_banner->present(std::string(40, 'W'), QImage(), 3.0);
        EXPECT_TRUE(screen.contains(m_banner->calculatePositions().shown)) << iconX;
        m_scheduler.advance(4.0);
    }
}

TEST_F(NJNotificationTest, APresentationKeepsItsFullTimeAndACancelledBannerStaysAway)
{
    m_banner->present("one", QImage(), 3.0);
    m_scheduler.advance(2.0);
    m_banner->present("two", QImage(), 3.0);
    m_scheduler.advance(1.5);
    EXPECT_TRUE(m_banner->isVisible());
    EXPECT_FALSE(m_banner->animationIsRunning());
    m_scheduler.advance(2.1);
    EXPECT_FALSE(m_banner->isVisible());

    m_banner->present("three", QImage(), 3.0);
    m_scheduler.advance(0.1);
    m_banner->orderOut();
    m_scheduler.advance(0.5);
    EXPECT_FALSE(m_banner->isVisible());
}

TEST_F(NJNotificationTest, WithoutAStatusItemItStandsAtTheTopRightAndAClickRunsTheHandler)
{
    m_item = QRect();
    m_dark = true;
    m_banner->present("336699", QImage(), 3.0);
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(m_banner->calculatePositions().shown.right(), available.right() - 10);
    EXPECT_EQ(m_banner->window().textField()->palette().color(QPalette::WindowText), QColor(Qt::white));
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(&m_banner->window(), &release);
    EXPECT_EQ(m_clicks, 1);
}

TEST_F(NJNotificationTest, WithoutACompositorEveryPixelInsideTheShapeIsOpaque)
{
    for (const bool dark : {false, true}) {
        m_dark = dark;
        m_banner->present("336699", QImage(), 3.0);
        NJNotificationWindow& window = m_banner->window();
        ASSERT_FALSE(window.mask().isEmpty());
        const QImage image = window.grab().toImage();
        int inside = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (!window.mask().contains(QPoint(x, y)))
                    continue;
                ++inside;
                // A translucent pixel shows black on a screen that does not blend.
                ASSERT_EQ(image.pixelColor(x, y).alpha(), 255) << x << "," << y;
            }
        }
        EXPECT_GT(inside, image.width() * image.height() * 9 / 10);
        m_scheduler.advance(4.0);
    }
}

} // namespace
