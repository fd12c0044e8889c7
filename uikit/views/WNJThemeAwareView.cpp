#include "uikit/views/WNJThemeAwareView.h"

#include "uikit/application/NJApplication.h"

WNJThemeAwareView::WNJThemeAwareView(QWidget* parent)
    : QWidget(parent)
{
    NJApplication* app = NJApplication::sharedApplication();
    if (!app)
        return;
    m_observer = NotificationCenter::defaultCenter().addObserver(
        NJApplication::kAppearanceChangedNotification,
        [this](const NotificationCenter::Notification&) { appearanceDidChange(); }, app);
}

WNJThemeAwareView::~WNJThemeAwareView()
{
    if (m_observer)
        NotificationCenter::defaultCenter().removeObserver(m_observer);
}

void WNJThemeAwareView::appearanceDidChange()
{
    update();
}
