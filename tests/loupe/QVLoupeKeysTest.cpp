#include "tests/loupe/LoupeFixture.h"

#include "loupe/QVLoupeKeys.h"

#include <QKeyEvent>

#include <gtest/gtest.h>

namespace {

class QVLoupeKeysTest : public LoupeFixture {
protected:
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {})
    {
        QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
        QCoreApplication::sendEvent(&m_loupe->window(), &event);
    }
};

TEST_F(QVLoupeKeysTest, ListedKeysReachTheControllerAndOthersAreSwallowed)
{
    press(Qt::Key_BracketRight);
    press(Qt::Key_BracketLeft);
    press(Qt::Key_Tab);
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    press(Qt::Key_Return);
    press(Qt::Key_Space);
    press(Qt::Key_Escape);
    press(Qt::Key_Q, Qt::NoModifier, "q");
    press(Qt::Key_Q, Qt::ShiftModifier, "Q");
    press(Qt::Key_Enter);
    press(Qt::Key_A, Qt::NoModifier, "a");
    press(Qt::Key_P, Qt::NoModifier, "p");
    m_host.picking = false;
    press(Qt::Key_P, Qt::NoModifier, "p");
    EXPECT_EQ(m_host.calls, std::vector<std::string>({"chooseNextFormat", "choosePrevFormat", "chooseNextFormat",
                                                      "choosePrevFormat", "doPick", "doPick", "hidePicker",
                                                      "hidePicker", "copyLoupeImageToClipboard", "hidePicker"}));
}

TEST_F(QVLoupeKeysTest, ZoomStepsRoundFirstAndStayWithinTheLimits)
{
    view().setZoomFactor(7.6);
    press(Qt::Key_Equal);
    EXPECT_EQ(view().zoomFactor(), 9);
    EXPECT_EQ(m_host.calls.back(), "saveSettings");
    view().setZoomFactor(15);
    press(Qt::Key_Equal);
    EXPECT_EQ(view().zoomFactor(), 15);
    view().setZoomFactor(2);
    press(Qt::Key_Minus);
    EXPECT_EQ(view().zoomFactor(), 2);
}

TEST_F(QVLoupeKeysTest, OptionStepsTheDiameterByOneMagnifiedPixel)
{
    view().setZoomFactor(8);
    view().setDiameterValue(184);
    press(Qt::Key_Equal, Qt::AltModifier);
    EXPECT_EQ(view().diameterValue(), 192);
    EXPECT_EQ(view().captureValue(), 24);
    // Not below zoom times the smallest capture.
    view().setDiameterValue(8 * 21);
    press(Qt::Key_Minus, Qt::AltModifier);
    EXPECT_EQ(view().diameterValue(), 168);
}

TEST_F(QVLoupeKeysTest, ArrowsNudgeByOneDevicePixelAndMoveThePointerAlong)
{
    m_loupe->setLoupeCenter({500, 500});
    press(Qt::Key_Right);
    EXPECT_EQ(m_loupe->lastCenter(), QPointF(501, 500));
    EXPECT_EQ(m_platform->cursor().warps().back(), QPointF(501, 500));
    press(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(m_loupe->lastCenter(), QPointF(501, 510));
    // With Shift as the high-precision key, Control moves ten.
    m_host.hiDPIKey = modifierflags::kShift;
    press(Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(m_loupe->lastCenter(), QPointF(500, 510));
    press(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(m_loupe->lastCenter(), QPointF(500, 500));
    // The warp's own motion is swallowed for 30 ms.
    m_platform->cursor().setLocation({700, 700});
    m_loupe->mouse().windowMouseEvent(QVLensWindow::MouseEventType::Moved, 0);
    EXPECT_EQ(m_loupe->lastCenter(), QPointF(500, 500));

    // The top row lies at y 1080 and the left column at x 0: arrows stop there.
    m_loupe->setLoupeCenter({0, 1080});
    press(Qt::Key_Up);
    press(Qt::Key_Left);
    EXPECT_EQ(m_loupe->lastCenter(), QPointF(0, 1080));
    EXPECT_EQ(m_platform->cursor().warps().back(), QPointF(0, 1080));
    m_loupe->setLoupeCenter({1919, 1});
    press(Qt::Key_Down);
    press(Qt::Key_Right);
    EXPECT_EQ(m_loupe->lastCenter(), QPointF(1919, 1));
    m_loupe->setLoupeCenter({500, 500});

    m_platform->screens().setScreens({{QRectF(0, 0, 1920, 1080), QRectF(0, 0, 1920, 1080), 2.0}});
    press(Qt::Key_Right);
    EXPECT_EQ(m_loupe->lastCenter(), QPointF(500.5, 500));
}

} // namespace
