#pragma once

#include "loupe/NJZoomView.h"
#include "loupe/QVLensLayerStack.h"

#include "formats/processor/QVFormatProcessor.h"
#include "tests/loupe/ZoomViewFixture.h"
#include "tests/uikit/FakeApplicationTest.h"

#include <QImage>
#include <QPainter>

#include <memory>

// The loupe as the application sets it up, on one 1280 x 1024 screen, with its layer
// stack and a format processor. Captures are a pattern whose pixel (x, y) is (9x, 9y, 60).
class LensTest : public FakeApplicationTest {
protected:
    static constexpr int kViewSide = 400;
    static constexpr int kCaptureSide = 26;

    void SetUp() override
    {
        FakeApplicationTest::SetUp();
        setScreens({QRectF(0, 0, 1280, 1024)});
        m_view = std::make_unique<ScaledZoomView>(QRect(0, 0, kViewSide, kViewSide));
        setUpLikeTheLoupe(*m_view);
        auto stack = std::make_unique<QVLensLayerStack>(m_view.get());
        m_stack = stack.get();
        m_view->setRenderer(std::move(stack));
        setWindowScale(1.0);
        m_stack->setExportFormatProcessor(&m_processor);
    }
    void TearDown() override
    {
        m_view.reset();
        FakeApplicationTest::TearDown();
    }

    void setWindowScale(double scale)
    {
        m_view->scale = scale;
        m_view->viewDidChangeBackingProperties();
    }

    static QRgb patternPixel(int x, int y) { return qRgb(9 * x, 9 * y, 60); }
    static QImage pattern(int side = kCaptureSide)
    {
        QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                image.setPixel(x, y, patternPixel(x, y));
        return image;
    }
    static QImage solid(QRgb color)
    {
        QImage image(kCaptureSide, kCaptureSide, QImage::Format_ARGB32_Premultiplied);
        image.fill(color);
        return image;
    }

    // Only the magnified capture: no grid, no focus square, no info box.
    void showCaptureOnly()
    {
        m_stack->setShowPixelGrid(false);
        m_stack->setShowFocusRect(false);
        m_stack->setColorInfo(0);
    }

    // One frame of the lens into a clear image at the given device scale.
    QImage render(double scale = 1.0)
    {
        QImage image(QSize(kViewSide, kViewSide) * scale, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(scale);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        m_stack->draw(painter);
        return image;
    }

    QVFormatProcessor m_processor;
    std::unique_ptr<ScaledZoomView> m_view;
    QVLensLayerStack* m_stack = nullptr;
};
