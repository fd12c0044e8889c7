#include "windows/AppPreferencesHost.h"

#include "app/AppDelegate.h"
#include "app/picking/LoupeAdapter.h"
#include "formats/QVFormatRepository.h"
#include "formats/processor/QVFormatProcessor.h"
#include "loupe/NJZoomView.h"
#include "loupe/QVLensWindow.h"
#include "loupe/QVLoupeController.h"
#include "tests/uikit/FakeApplicationTest.h"

#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

namespace {

// The host over a controller with the real loupe, on the fake platform.
class AppPreferencesHostTest : public FakeApplicationTest {
protected:
    void SetUp() override
    {
        FakeApplicationTest::SetUp();
        setScreens({QRectF(0, 0, 1920, 1080)});
        QImage screen(1920, 1080, QImage::Format_ARGB32_Premultiplied);
        screen.fill(qRgb(128, 128, 128));
        m_platform->screenCapture().setScreen(screen);
        m_delegate = std::make_unique<AppDelegate>(m_defaults, QVFormatRepository::sharedRepository(), false, m_output,
                                                   [](int) {});
        m_delegate->setFormatProcessor(std::make_unique<QVFormatProcessor>());
        m_loupe = std::make_shared<LoupeAdapter>(*m_delegate, *m_platform, m_delegate->formatProcessor());
        m_delegate->setLoupe(m_loupe);
        m_host = std::make_unique<AppPreferencesHost>(*m_delegate);
        m_window = std::make_unique<QWidget>(nullptr, Qt::FramelessWindowHint);
        m_window->setGeometry(100, 300, 500, 400);
    }
    void TearDown() override
    {
        m_window.reset();
        m_host.reset();
        m_delegate.reset();
        m_loupe.reset();
        FakeApplicationTest::TearDown();
    }

    std::ostringstream m_output;
    std::unique_ptr<AppDelegate> m_delegate;
    std::shared_ptr<LoupeAdapter> m_loupe;
    std::unique_ptr<AppPreferencesHost> m_host;
    std::unique_ptr<QWidget> m_window;
};

TEST_F(AppPreferencesHostTest, DocksTheRealLoupeBesideTheWindowAndFadesIt)
{
    m_host->dockToWindow(m_window.get());
    EXPECT_EQ(m_host->loupeParentWindow(), m_window.get());
    EXPECT_TRUE(m_loupe->isDockedInPreferences());
    EXPECT_TRUE(m_loupe->controller().window().isVisible());

    m_host->setLoupeAlpha(0);
    EXPECT_DOUBLE_EQ(m_host->loupeAlpha(), 0);
    bool faded = false;
    m_host->animateLoupeAlpha(1.0, 0.3, [&faded] { faded = true; });
    m_scheduler.advance(0.31);
    m_scheduler.runPending();
    EXPECT_TRUE(faded);
    EXPECT_DOUBLE_EQ(m_host->loupeAlpha(), 1.0);

    m_host->unDockWindow();
    EXPECT_EQ(m_host->loupeParentWindow(), nullptr);
    EXPECT_FALSE(m_loupe->controller().window().isVisible());
}

TEST_F(AppPreferencesHostTest, ZoomAndCaptureReachTheZoomView)
{
    m_host->setZoomFactor(10);
    m_host->setCaptureValue(21);
    EXPECT_DOUBLE_EQ(m_host->zoomFactor(), m_loupe->controller().zoomView().zoomFactor());
    EXPECT_DOUBLE_EQ(m_host->captureValue(), m_loupe->controller().zoomView().captureValue());
    EXPECT_DOUBLE_EQ(m_host->zoomFactor(), 10);
    EXPECT_GT(m_host->maxDiameterValue(), 0);
}

} // namespace
