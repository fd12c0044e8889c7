#include "uikit/views/WNJEmbeddingView.h"

#include "uikit/application/ThemeColors.h"

#include <QPaintEvent>
#include <QPainter>

namespace {

constexpr double kAlpha = 0.95;

} // namespace

WNJEmbeddingView::WNJEmbeddingView(QWidget* parent)
    : WNJThemeAwareView(parent)
{
}

void WNJEmbeddingView::paintEvent(QPaintEvent* event)
{
    m_backgroundColor = themecolors::white(themecolors::darkMode() ? 0 : 1, kAlpha);
    QPainter painter(this);
    painter.fillRect(event->rect(), m_backgroundColor);
}
