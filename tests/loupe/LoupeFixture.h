#pragma once

#include "loupe/NJZoomView.h"
#include "loupe/QVLensBase.h"
#include "loupe/QVLensWindow.h"
#include "loupe/QVLoupeController.h"
#include "loupe/QVMouseFollower.h"
#include "tests/loupe/RecordingLoupeHost.h"
#include "tests/uikit/FakeApplicationTest.h"

#include <QImage>

#include <memory>

// A loupe on the fake platform and the manual clock, over a 1920x1080 screen whose
// pixels are all grey.
class LoupeFixture : public FakeApplicationTest {
protected:
    void SetUp() override
    {
        FakeApplicationTest::SetUp();
        QImage screen(1920, 1080, QImage::Format_ARGB32_Premultiplied);
        screen.fill(qRgb(128, 128, 128));
        capture().setScreen(screen);
        m_loupe = std::make_unique<QVLoupeController>(m_host, *m_platform);
        m_loupe->initZoomView(nullptr);
        m_loupe->mouse().registerMouseListener();
        m_loupe->mouse().setMouseFollow(true);
    }
    void TearDown() override
    {
        m_loupe.reset();
        FakeApplicationTest::TearDown();
    }

    FakeScreenCapture& capture() { return m_platform->screenCapture(); }
    NJZoomView& view() { return m_loupe->zoomView(); }
    // The centre of the loupe window in global points.
    QPointF windowCenter() { return m_loupe->window().frame().center(); }
    void moveMouse(const QPointF& global)
    {
        m_platform->cursor().setLocation(global);
        m_loupe->mouse().windowMouseEvent(QVLensWindow::MouseEventType::Moved, 0);
    }

    RecordingLoupeHost m_host;
    std::unique_ptr<QVLoupeController> m_loupe;
};
