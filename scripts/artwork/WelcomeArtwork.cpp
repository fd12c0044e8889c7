// Renders the welcome tour's artwork into the folder given as the only argument: the
// movie frames frame-NNN.png (the real loupe gliding over a generated scene, zooming in
// as high-precision mode does and back out) and the light and dark previews of the
// colours-and-formats panel, overlay-default_light.png and overlay-default_dark.png.

#include "loupe/NJZoomView.h"
#include "loupe/QVLensLayerStack.h"

#include "formats/processor/QVFormatProcessor.h"
#include "foundation/ManualScheduler.h"
#include "platform/fake/FakePlatform.h"
#include "uikit/application/NJApplication.h"

#include <QDir>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include <cmath>
#include <iostream>
#include <numbers>

namespace {

constexpr int kWidth = 480;
constexpr int kHeight = 270;
constexpr int kLensView = 400;
constexpr int kFrames = 100;
constexpr double kFramesPerSecond = 25;
constexpr double kZoom = 8;
constexpr double kPrecisionZoom = 13;
constexpr double kDiameter = 150;

// A small desktop: a gradient ground, a window with swatches, text and hairlines, the
// fine detail high-precision mode is for.
QImage scene()
{
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    QLinearGradient ground(0, 0, kWidth, kHeight);
    ground.setColorAt(0, QColor(0x2b, 0x4c, 0x7e));
    ground.setColorAt(1, QColor(0x8a, 0x3f, 0x6e));
    painter.fillRect(image.rect(), ground);
    const QRect window(40, 30, 400, 210);
    painter.fillRect(window, QColor(0xf4, 0xf4, 0xf4));
    painter.fillRect(QRect(window.topLeft(), QSize(window.width(), 22)), QColor(0xdd, 0xdd, 0xdd));
    const QColor swatches[] = {QColor(0xe6, 0x39, 0x46), QColor(0xf1, 0xa2, 0x08), QColor(0x2a, 0x9d, 0x8f),
                               QColor(0x45, 0x7b, 0x9d), QColor(0x6a, 0x4c, 0x93)};
    for (int i = 0; i < 5; ++i)
        painter.fillRect(QRect(60 + i * 52, 70, 44, 44), swatches[i]);
    QFont font;
    font.setPixelSize(13);
    painter.setFont(font);
    painter.setPen(QColor(0x33, 0x33, 0x33));
    painter.drawText(QPoint(60, 140), QStringLiteral("Pick any pixel on the screen"));
    painter.drawText(QPoint(60, 160), QStringLiteral("#2A9D8F  rgb(42, 157, 143)"));
    // One-pixel lines in near colours.
    for (int i = 0; i < 12; ++i) {
        painter.setPen(QColor(0x20 + i * 16, 0x80, 0xc0 - i * 8));
        painter.drawLine(QPoint(330 + i * 2, 70), QPoint(330 + i * 2, 200));
    }
    painter.setPen(QColor(0xe6, 0x39, 0x46));
    painter.drawLine(QPoint(60, 190), QPoint(300, 190));
    painter.setPen(QColor(0x1d, 0x35, 0x57));
    painter.drawLine(QPoint(60, 192), QPoint(300, 192));
    return image;
}

// The capture around the pointer: an even side with the picked pixel at its centre.
QImage captureAround(const QImage& scene, QPoint pointer, double capture)
{
    const int side = 2 * (int(std::ceil(capture / 2)) + 1);
    QImage captured(side, side, QImage::Format_ARGB32_Premultiplied);
    captured.fill(Qt::black);
    QPainter painter(&captured);
    painter.drawImage(QPoint(side / 2 - pointer.x(), side / 2 - pointer.y()), scene);
    return captured;
}

// The panel in miniature: search field, swatch strip and formatted rows.
QImage themePreview(bool dark)
{
    const QColor panel = dark ? QColor(0x33, 0x33, 0x33) : QColor(0xf5, 0xf5, 0xf5);
    const QColor text = dark ? QColor(0xee, 0xee, 0xee) : QColor(0x22, 0x22, 0x22);
    const QColor line = dark ? QColor(0x4a, 0x4a, 0x4a) : QColor(0xdd, 0xdd, 0xdd);
    QImage image(320, 160, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(line);
    painter.setBrush(panel);
    painter.drawRoundedRect(QRectF(0.5, 0.5, 319, 159), 5, 5);
    painter.setBrush(dark ? QColor(0x24, 0x24, 0x24) : Qt::white);
    painter.drawRoundedRect(QRectF(12, 10, 296, 20), 4, 4);
    const QColor swatches[] = {QColor(0x2a, 0x9d, 0x8f), QColor(0xe6, 0x39, 0x46), QColor(0xf1, 0xa2, 0x08),
                               QColor(0x45, 0x7b, 0x9d), QColor(0x6a, 0x4c, 0x93), QColor(0x1d, 0x35, 0x57)};
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 6; ++i) {
        painter.setBrush(swatches[i]);
        painter.drawRoundedRect(QRectF(12 + i * 34, 40, 28, 28), 3, 3);
    }
    QFont font;
    font.setPixelSize(11);
    painter.setFont(font);
    const char* rows[] = {"HEX  #2A9D8F", "RGB  rgb(42, 157, 143)", "HSL  hsl(173, 58%, 39%)"};
    for (int i = 0; i < 3; ++i) {
        const int top = 78 + i * 26;
        painter.setPen(line);
        painter.drawLine(12, top, 308, top);
        painter.setPen(text);
        painter.drawText(QRect(16, top, 288, 26), Qt::AlignVCenter, QString::fromLatin1(rows[i]));
    }
    return image;
}

double smooth(double t)
{
    t = std::clamp(t, 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: vendrel_welcome_artwork <output folder>\n";
        return 2;
    }
    ManualScheduler scheduler;
    Scheduler::setCurrent(&scheduler);
    auto platform = std::make_unique<FakePlatform>();
    platform->screens().setScreens({{QRectF(0, 0, 1280, 1024), QRectF(0, 0, 1280, 1024), 1.0}});
    NJApplication app(argc, argv, std::move(platform));
    const QDir output(QString::fromLocal8Bit(argv[1]));

    NJZoomView view(QRect(0, 0, kLensView, kLensView));
    view.setMinZoomFactor(2.0);
    view.setMaxZoomFactor(20.0);
    view.setMinCaptureValue(9.0);
    view.setMaxViewDiameter(kLensView - 25);
    view.setMinRubberPixels(10.0);
    view.setMaxRubberPixels(24.0);
    view.setCaptureValue(kDiameter / kZoom);
    view.setZoomFactor(kZoom);
    auto stack = std::make_unique<QVLensLayerStack>(&view);
    QVLensLayerStack* lens = stack.get();
    view.setRenderer(std::move(stack));
    view.viewDidChangeBackingProperties();
    QVFormatProcessor processor;
    lens->setExportFormatProcessor(&processor);
    lens->setColorInfo(2);
    view.setDiameterValue(kDiameter);

    const QImage ground = scene();
    const QPointF start(110, 210);
    const QPointF target(337, 150);
    for (int frame = 0; frame < kFrames; ++frame) {
        const double seconds = frame / kFramesPerSecond;
        // Glide to the hairlines, zoom in as the high-precision key is held, step
        // across a few lines, let go.
        const QPointF glide = start + (target - start) * smooth(seconds / 1.2);
        const double step = std::floor(std::clamp(seconds - 1.8, 0.0, 1.2) / 0.3);
        const QPoint pointer = (glide + QPointF(step * 2, 0)).toPoint();
        const double zoomIn = smooth((seconds - 1.2) / 0.4) - smooth((seconds - 3.2) / 0.4);
        view.setZoomFactor(kZoom + (kPrecisionZoom - kZoom) * zoomIn);
        view.setCaptureValue(kDiameter / view.zoomFactor());
        view.setCapturedImg(captureAround(ground, pointer, view.captureValue()));

        QImage lensImage(kLensView, kLensView, QImage::Format_ARGB32_Premultiplied);
        lensImage.fill(Qt::transparent);
        {
            QPainter painter(&lensImage);
            lens->draw(painter);
        }
        QImage image = ground.copy();
        QPainter painter(&image);
        painter.drawImage(pointer - QPoint(kLensView / 2, kLensView / 2), lensImage);
        painter.end();
        const QString name = QStringLiteral("frame-%1.png").arg(frame, 3, 10, QLatin1Char('0'));
        if (!image.save(output.filePath(name))) {
            std::cerr << "cannot write " << output.filePath(name).toStdString() << '\n';
            return 1;
        }
    }
    for (const bool dark : {false, true}) {
        const QString name = dark ? QStringLiteral("overlay-default_dark.png") : QStringLiteral("overlay-default_light.png");
        if (!themePreview(dark).save(output.filePath(name))) {
            std::cerr << "cannot write " << output.filePath(name).toStdString() << '\n';
            return 1;
        }
    }
    Scheduler::setCurrent(nullptr);
    return 0;
}
