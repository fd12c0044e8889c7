#pragma once

#include "loupe/NJZoomView.h"
#include "loupe/NJZoomViewDelegate.h"
#include "loupe/QVLensBase.h"
#include "loupe/ScrollWheelEvent.h"

#include "foundation/ManualScheduler.h"
#include "foundation/NotificationCenter.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <memory>

// A renderer that remembers what the zoom view told it.
class RecordingRenderer final : public QVLensBase {
public:
    using QVLensBase::QVLensBase;
    double alphaBlind() const override { return m_alphaBlind; }
    void setAlphaBlind(double alpha) override { m_alphaBlind = alpha; }
    bool hasSublayers() const override { return m_sublayers; }
    void addAllSubLayers() override { m_sublayers = true; }
    void removeAllSubLayers() override { m_sublayers = false; }
    void inValidateLayerStack() override { ++invalidations; }
    void draw(QPainter&) override { ++draws; }

    int invalidations = 0;
    int draws = 0;

private:
    double m_alphaBlind = 0;
    bool m_sublayers = false;
};

class RecordingDelegate final : public NJZoomViewDelegate {
public:
    void gestureStarted() override { ++started; }
    void gestureEnded() override { ++ended; }
    void checkHiDPIMode() override { ++checks; }
    void updateCaptureImageWithMaxValues() override { ++maxCaptures; }
    int started = 0;
    int ended = 0;
    int checks = 0;
    int maxCaptures = 0;
};

// A zoom view on a display of a chosen backing scale.
class ScaledZoomView final : public NJZoomView {
public:
    using NJZoomView::NJZoomView;
    double scale = 1.0;

protected:
    double windowBackingScaleFactor() const override { return scale; }
};

// Sets the view up as the loupe sets it up: zoom 2..15, capture from 21, a 400-point
// window (375 points of lens at most), rubber bands of 10 and 24 points, then capture 24,
// zoom 8 and diameter 184.
inline void setUpLikeTheLoupe(NJZoomView& view)
{
    view.setMinZoomFactor(2.0);
    view.setMaxZoomFactor(15.0);
    view.setMinCaptureValue(21.0);
    view.setMaxViewDiameter(view.width() - 25);
    view.setMinRubberPixels(10.0);
    view.setMaxRubberPixels(24.0);
    view.setCaptureValue(24.0);
    view.setZoomFactor(8.0);
    view.setDiameterValue(184.0);
}

class ZoomViewTest : public ::testing::Test {
protected:
    static constexpr int kViewSide = 400;

    void SetUp() override
    {
        Scheduler::setCurrent(&m_scheduler);
        m_view = std::make_unique<ScaledZoomView>(QRect(0, 0, kViewSide, kViewSide));
        auto renderer = std::make_unique<RecordingRenderer>(m_view.get());
        m_renderer = renderer.get();
        m_view->setRenderer(std::move(renderer));
        m_view->setDelegate(&m_delegate);
        setUpLikeTheLoupe(*m_view);
        m_view->viewDidChangeBackingProperties();
        m_token = NotificationCenter::defaultCenter().addObserver(
            QVLensBase::kAttributesChangedNotification, [this](const NotificationCenter::Notification& notification) {
                if (notification.sender == m_view.get())
                    ++m_changes;
            });
    }
    void TearDown() override
    {
        NotificationCenter::defaultCenter().removeObserver(m_token);
        m_view.reset();
        Scheduler::setCurrent(nullptr);
    }

    int m_argc = 1;
    char m_arg0[8] = "test";
    char* m_argv[2] = {m_arg0, nullptr};
    QApplication m_app {m_argc, m_argv};
    ManualScheduler m_scheduler;
    RecordingDelegate m_delegate;
    std::unique_ptr<ScaledZoomView> m_view;
    RecordingRenderer* m_renderer = nullptr;
    NotificationCenter::Token m_token = 0;
    int m_changes = 0;
};
