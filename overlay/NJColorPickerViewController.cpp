#include "NJColorPickerViewController.h"

#include "overlay/NJColorPanel.h"
#include "overlay/NJToolbarCollectionView.h"
#include "overlay/NJToolbarCollectionViewItem.h"
#include "uikit/application/NJApplication.h"
#include "uikit/application/ThemeColors.h"
#include "uikit/views/ViewAdditions.h"
#include "uikit/views/WNJOpaqueView.h"

#include <QEvent>
#include <QLineEdit>
#include <QScrollArea>

namespace {

// White 1.0 at alpha 0.95.
const QColor kBackground = QColor::fromRgbF(1, 1, 1, 0.95F);
// The pages' ground in the dark theme, where their Qt widgets take the dark palette.
const QColor kDarkBackground = QColor::fromRgbF(0.15F, 0.15F, 0.15F, 0.95F);

bool shownIn(const QWidget* widget)
{
    return widget->isVisibleTo(widget->window());
}

// Refocusing the first text field on a tab change was needed on systems before 10.10.
bool refocusesFirstTextField()
{
    const NJApplication* app = NJApplication::sharedApplication();
    if (!app)
        return false;
    const OperatingSystemVersion version = app->operatingSystemVersion();
    return version.majorVersion == 10 && version.minorVersion < 10;
}

} // namespace

NJColorPickerViewController::NJColorPickerViewController() = default;

NJColorPickerViewController::~NJColorPickerViewController()
{
    if (m_colorPanel && colorPanelView())
        m_colorPanel->setContentView(colorPanelView());
    // The filter would otherwise see the main view's events while it is destroyed.
    if (m_mainView)
        m_mainView->removeEventFilter(this);
    delete m_tabScrollView.data();
    if (m_navigationContainer && m_navigationContainer->parentWidget() == m_mainView) {
        m_navigationContainer->hide();
        m_navigationContainer->setParent(nullptr);
    }
    delete m_mainView.data();
    m_colorPanel = nullptr;
    m_initialized = false;
}

QWidget* NJColorPickerViewController::view()
{
    if (!m_mainView)
        loadView();
    return m_mainView;
}

void NJColorPickerViewController::loadView()
{
    m_mainView = new WNJBasicView;
    m_mainView->setObjectName(QStringLiteral("colorPickerView"));
    m_mainView->setGeometry(0, 0, kWidth, kHeight);
    m_mainView->setCanMoveWithMouseDown(false);
    m_mainView->installEventFilter(this);
}

QWidget* NJColorPickerViewController::colorPanelView() const
{
    return m_colorPanel ? m_colorPanel->contentView() : nullptr;
}

void NJColorPickerViewController::setupUI()
{
    m_refocusFirstTextField = refocusesFirstTextField();
    if (m_toolbarContainer)
        m_tabBarHeight = m_navigationContainer ? m_navigationContainer->height() : 0;
    else
        m_tabBarHeight = kTabBarHeight;

    QWidget* main = view();
    // Without vibrancy the page lies on a nearly opaque white view.
    m_subEffectView = new WNJOpaqueView(QRect(0, 0, kWidth, kHeight), nullptr);
    m_subEffectView->setBackgroundColor(kBackground);
    viewadditions::embedView(main, m_subEffectView);

    NJColorPanel::setPickerMask(kPickerMask);
    m_colorPanel = &NJColorPanel::sharedColorPanel();
    m_colorPanel->window()->hide();
    m_colorPanel->setShowsAlpha(true);

    m_tabbar = new NJToolbarCollectionView(m_colorPanel);
    if (m_toolbarContainer)
        m_tabbar->setGeometry(0, 0, m_toolbarContainer->width(), kTabBarHeight);
    else
        m_tabbar->setGeometry(0, 0, main->width(), static_cast<int>(m_tabBarHeight));
    m_tabScrollView = new QScrollArea;
    m_tabScrollView->setObjectName(QStringLiteral("colorPanelTabScrollView"));
    m_tabScrollView->setGeometry(m_tabbar->rect());
    m_tabScrollView->setFrameShape(QFrame::NoFrame);
    m_tabScrollView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_tabScrollView->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Clear: the navigation bar shows through.
    m_tabScrollView->setAutoFillBackground(false);
    m_tabScrollView->viewport()->setAutoFillBackground(false);
    m_tabScrollView->setWidget(m_tabbar);
    // Setting the widget turns its background fill on, a light block on the dark bar.
    m_tabbar->setAutoFillBackground(false);
    if (m_toolbarContainer) {
        viewadditions::embedView(m_toolbarContainer, m_tabScrollView);
    } else {
        m_tabScrollView->setParent(main);
        m_tabScrollView->show();
    }

    if (m_navigationContainer) {
        m_navigationContainer->setParent(main);
        m_navigationContainer->setGeometry(0, 0, m_navigationContainer->width(), m_navigationContainer->height());
        m_navigationContainer->show();
    }

    m_initialTab = m_colorPanel->selectedItemIdentifier();
    m_colorPanel->setMode(NJColorPanel::Wheel);
    assignFirstTextField();
    QWidget* content = colorPanelView();
    content->setParent(main);
    content->show();
    updateToolbarItems();
    setColorPanelFrame(m_tabBarHeight);
    updateNextKeyLoop(false);
    m_initialized = true;
}

void NJColorPickerViewController::updateToolbarItems()
{
    if (!m_tabbar || !m_colorPanel)
        return;
    const std::vector<NJColorPanelToolbarItem> items = m_colorPanel->toolbarItems();
    m_tabbar->setContent(items);
    QPointer<NJColorPickerViewController> self(this);
    m_tabbar->setOnClick([self] {
        if (self)
            self->tabBarChangedSelection();
    });
    const QString wanted = m_initialTab.isEmpty() ? m_colorPanel->selectedItemIdentifier() : m_initialTab;
    std::size_t index = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].identifier == wanted)
            index = i;
    }
    m_tabbar->setSelectionIndexes({index});
    if (NJToolbarCollectionViewItem* item = m_tabbar->itemAtIndex(index))
        item->sendActionToButton();
    m_tabbar->update();
}

void NJColorPickerViewController::tabBarChangedSelection()
{
    if (!isViewLoaded())
        return;
    setColorPanelFrame(m_tabBarHeight);
    updateNextKeyLoop(m_refocusFirstTextField);
}

void NJColorPickerViewController::setColorPanelFrame(double tabBarHeight)
{
    QWidget* content = colorPanelView();
    if (!content || !m_mainView)
        return;
    const int top = static_cast<int>(tabBarHeight);
    // The tab bar and the navigation sit at the top; the content fills the rest.
    content->setGeometry(0, top, m_mainView->width(), m_mainView->height() - top);
    if (m_tabScrollView && m_tabScrollView->parentWidget() == m_mainView)
        m_tabScrollView->resize(m_mainView->width(), m_tabScrollView->height());
    viewadditions::setAppearanceInSubViews(content, m_mainView->property(viewadditions::kAppearanceProperty).toString());
}

void NJColorPickerViewController::setAppearance(const QString& appearance)
{
    QWidget* main = view();
    if (m_subEffectView) {
        m_subEffectView->setProperty(viewadditions::kAppearanceProperty, appearance);
        m_subEffectView->setBackgroundColor(themecolors::darkMode() ? kDarkBackground : kBackground);
    }
    main->setProperty(viewadditions::kAppearanceProperty, appearance);
    viewadditions::setAppearanceInSubViews(main, appearance);
    if (QWidget* content = colorPanelView())
        viewadditions::setAppearanceInSubViews(content, appearance);
    tabBarChangedSelection();
}

void NJColorPickerViewController::assignFirstTextField()
{
    QWidget* content = colorPanelView();
    if (!content)
        return;
    for (QWidget* child : content->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).isEmpty()
            || !hasControlOfClass("QLineEdit", child))
            continue;
        m_box = child;
        m_firstTextField = findFirstTextField(child);
        return;
    }
}

QLineEdit* NJColorPickerViewController::findFirstTextField(QWidget* view)
{
    for (QWidget* child : view->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (QLineEdit* found = findFirstTextField(child))
            return found;
        auto* field = qobject_cast<QLineEdit*>(child);
        if (field && shownIn(field) && !field->isReadOnly() && field->isEnabled())
            return field;
    }
    return nullptr;
}

bool NJColorPickerViewController::hasControlOfClass(const char* className, QWidget* view)
{
    for (QWidget* child : view->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (hasControlOfClass(className, child))
            return true;
        if (child->inherits(className) && shownIn(child))
            return true;
    }
    return false;
}

void NJColorPickerViewController::updateNextKeyLoop(bool focus)
{
    if (!focus)
        return;
    // The page may have changed since the field was found: a hidden field takes no focus.
    if (!m_firstTextField || !shownIn(m_firstTextField))
        assignFirstTextField();
    if (m_firstTextField) {
        m_firstTextField->setFocus(Qt::OtherFocusReason);
        m_firstTextField->selectAll();
    }
}

void NJColorPickerViewController::updateFrame()
{
    setColorPanelFrame(m_tabBarHeight);
    updateNextKeyLoop(true);
}

void NJColorPickerViewController::selectFirstTab()
{
    if (m_tabbar) {
        if (NJToolbarCollectionViewItem* item = m_tabbar->itemAtIndex(0))
            item->sendActionToButton();
    }
}

bool NJColorPickerViewController::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_mainView && event->type() == QEvent::Resize)
        setColorPanelFrame(m_tabBarHeight);
    return QObject::eventFilter(watched, event);
}
