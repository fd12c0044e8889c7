#include "uikit/application/ThemedIconEngine.h"

#include "uikit/application/ThemeColors.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>

ThemedIconEngine::ThemedIconEngine(QPixmap image)
    : m_image(std::move(image))
{
}

QSize ThemedIconEngine::actualSize(const QSize& size, QIcon::Mode, QIcon::State)
{
    const QSize image = m_image.deviceIndependentSize().toSize();
    return image.width() <= size.width() && image.height() <= size.height()
        ? image
        : image.scaled(size, Qt::KeepAspectRatio);
}

QPixmap ThemedIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state)
{
    const QSize actual = actualSize(size, mode, state);
    if (m_image.isNull() || actual.isEmpty())
        return {};
    QPixmap image = m_image.scaled(actual, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (themecolors::darkMode()) {
        const QPalette::ColorGroup group = mode == QIcon::Disabled ? QPalette::Disabled : QPalette::Active;
        QPainter painter(&image);
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(image.rect(), QGuiApplication::palette().color(group, QPalette::ButtonText));
    }
    return image;
}

void ThemedIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state)
{
    const QPixmap image = pixmap(rect.size(), mode, state);
    const QRect area(QPoint(), image.size());
    painter->drawPixmap(area.translated(rect.center() - area.center()), image);
}

QIconEngine* ThemedIconEngine::clone() const
{
    return new ThemedIconEngine(m_image);
}
