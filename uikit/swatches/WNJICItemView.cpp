#include "uikit/swatches/WNJICItemView.h"

#include "uikit/application/NJApplication.h"
#include "uikit/views/ViewAdditions.h"

#include <QLabel>
#include <QPushButton>

namespace {

// The button's frame, (26, 25, 16, 16) counted from the bottom of the swatch.
const QRect kButtonFrame(26, WNJICItemView::kSide - 25 - 16, 16, 16);

} // namespace

WNJICItemView::WNJICItemView(const QPoint& origin, QWidget* parent)
    : QWidget(parent)
{
    setGeometry(QRect(origin, itemSize()));
    m_imageView = new QLabel(this);
    m_imageView->setObjectName(QStringLiteral("swatchImageLabel"));
    m_imageView->setGeometry(0, 0, kSide, kSide);
    m_button = new QPushButton(this);
    m_button->setObjectName(QStringLiteral("favoritePushButton"));
    m_button->setGeometry(kButtonFrame);
    m_button->setToolTip(QString::fromUtf8(kFavoriteToolTip));
    m_button->setFocusPolicy(Qt::NoFocus);
    m_button->setFlat(true);
    m_button->setProperty(viewadditions::kAppearanceProperty, QString(NJApplication::kAppearanceNameAqua));
}
