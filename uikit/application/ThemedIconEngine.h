#pragma once

#include <QIconEngine>
#include <QPixmap>

// An image drawn as it is in the light theme and, in the dark theme, in the palette's
// button text colour at the image's own alpha: a grey picture stays visible on the dark
// window. The theme is read each time the icon is drawn.
class ThemedIconEngine final : public QIconEngine {
public:
    explicit ThemedIconEngine(QPixmap image);

    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override;

private:
    QPixmap m_image;
};
