#pragma once

#include <QImage>
#include <QWidget>

// Shows the latest frame of a movie, scaled to fit and centred. Painted in software,
// so showing a movie never starts an OpenGL renderer.
class MovieFrameView final : public QWidget {
public:
    explicit MovieFrameView(QWidget* parent = nullptr);

    void showFrame(QImage frame);
    const QImage& frame() const { return m_frame; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_frame;
};
