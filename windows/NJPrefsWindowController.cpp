#include "NJPrefsWindowController.h"

#include "uikit/application/NJApplication.h"
#include "uikit/application/NamedImage.h"
#include "uikit/application/ThemedIconEngine.h"
#include "uikit/views/ViewAdditions.h"
#include "windows/ProgramWindowTitle.h"
#include "windows/QVPreferenceWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QLayout>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kInitialContentSize = 1000;

} // namespace

NJPrefsWindowController::NJPrefsWindowController()
{
    m_window = new QVPreferenceWindow;
    m_window->resize(kInitialContentSize, kInitialContentSize);
    auto* layout = new QVBoxLayout(m_window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    m_contentSubview = new QWidget(m_window);
    m_contentSubview->setObjectName("contentSubview");
    layout->addWidget(m_contentSubview, 1);
    connect(m_window, &QVPreferenceWindow::windowWillClose, this, [this] { windowWillClose(); });
    connect(m_window, &QVPreferenceWindow::windowWillMove, this, [this] { windowWillMove(); });
    connect(m_window, &QVPreferenceWindow::windowDidResignKey, this, [this] { windowDidResignKey(); });
}

NJPrefsWindowController::~NJPrefsWindowController()
{
    if (m_viewAnimation)
        m_viewAnimation->stop();
    delete m_window;
}

QAction* NJPrefsWindowController::toolbarItem(const QString& identifier) const
{
    const auto found = m_toolbarItems.find(identifier);
    return found == m_toolbarItems.end() ? nullptr : found->second;
}

bool NJPrefsWindowController::isWindowVisible() const
{
    return m_window && m_window->isVisible();
}

void NJPrefsWindowController::addView(QWidget* view, const QString& label)
{
    addView(view, label, label);
}

void NJPrefsWindowController::addView(QWidget* view, const QString& label, const QString& image)
{
    const QString identifier = label;
    m_toolbarIdentifiers.push_back(identifier);
    m_toolbarViews[identifier] = view;
    view->setParent(m_contentSubview);
    view->hide();
    const QPixmap picture = namedImage(image);
    auto* item = new QAction(picture.isNull() ? QIcon() : QIcon(new ThemedIconEngine(picture)), label, this);
    item->setCheckable(true);
    connect(item, &QAction::triggered, this, [this, identifier] { toggleActivePreferenceView(identifier); });
    m_toolbarItems[identifier] = item;
}

void NJPrefsWindowController::showWindow()
{
    // Joining every desktop has no counterpart for a managed X11 window: the window
    // stays on the desktop it opens on.
    setupPreferences();
    if (!m_isInitialized) {
        m_toolbarIdentifiers.clear();
        m_toolbarViews.clear();
        for (auto& [identifier, item] : m_toolbarItems)
            delete item;
        m_toolbarItems.clear();
        delete m_toolbar;
        m_toolbar = nullptr;
        setupToolbar();
        m_isInitialized = true;
    }
    if (!m_toolbar)
        createToolbar();
    viewadditions::centerOnPrimaryScreen(m_window);
    m_window->show();
    m_window->raise();
    NJApplication::makeKeyWindow(m_window);
}

void NJPrefsWindowController::createToolbar()
{
    m_toolbar = new QToolBar(m_window);
    m_toolbar->setObjectName(kToolbarIdentifier);
    m_toolbar->setMovable(false);
    m_toolbar->setFloatable(false);
    m_toolbar->setContextMenuPolicy(Qt::PreventContextMenu);
    m_toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    auto* group = new QActionGroup(m_toolbar);
    group->setExclusive(true);
    for (const QString& identifier : m_toolbarIdentifiers) {
        QAction* item = m_toolbarItems.at(identifier);
        group->addAction(item);
        m_toolbar->addAction(item);
    }
    static_cast<QVBoxLayout*>(m_window->layout())->insertWidget(0, m_toolbar);
    if (!m_toolbarIdentifiers.empty())
        displayViewForIdentifier(m_toolbarIdentifiers.front(), false);
}

void NJPrefsWindowController::displayViewForIdentifier(const QString& identifier, bool animate)
{
    const auto found = m_toolbarViews.find(identifier);
    QWidget* newView = found == m_toolbarViews.end() ? nullptr : found->second.data();
    if (!newView)
        return;
    QWidget* oldView = m_subviews.empty() ? nullptr : m_subviews.back();
    for (QWidget* view : m_subviews) {
        if (view != oldView)
            view->hide();
    }
    m_subviews.assign(oldView ? 1 : 0, oldView);
    if (newView == oldView)
        return;

    newView->move(0, 0);
    newView->resize(fittingSize(newView));
    newView->raise();
    m_subviews.push_back(newView);
    if (animate && m_crossFade) {
        crossFadeView(oldView, newView);
    } else {
        if (oldView) {
            oldView->hide();
            m_subviews.erase(m_subviews.begin());
        }
        NJAnimationGroup::setWidgetOpacity(newView, 1.0);
        newView->show();
        setFixedFrame(frameForView(newView));
    }
    newView->setFocus();

    QAction* item = toolbarItem(identifier);
    m_window->setWindowTitle(QString::fromUtf8(programwindowtitle::kFormat).arg(item ? item->text() : identifier));
    m_currentViewIdentifier = identifier;
    if (item)
        item->setChecked(true);
    addedView(identifier);
}

QRect NJPrefsWindowController::frameForView(const QWidget* view) const
{
    const QSize toolbar = m_toolbar ? m_toolbar->sizeHint() : QSize();
    const QRect frame = m_window->geometry();
    return QRect(frame.topLeft(), QSize(std::max(view->width(), toolbar.width()), view->height() + toolbar.height()));
}

QSize NJPrefsWindowController::fittingSize(const QWidget* view)
{
    // Larger fonts make a pane's controls larger than the size it was laid out for.
    QSize size = view->size().expandedTo(view->minimumSizeHint());
    if (const QLayout* layout = view->layout(); layout && layout->hasHeightForWidth())
        size.setHeight(std::max(size.height(), layout->totalHeightForWidth(size.width())));
    else
        size = size.expandedTo(view->sizeHint());
    return size;
}

void NJPrefsWindowController::freeSize()
{
    m_window->setMinimumSize(0, 0);
    m_window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

void NJPrefsWindowController::setFixedFrame(const QRect& frame)
{
    freeSize();
    m_window->setGeometry(frame);
    m_window->setFixedSize(frame.size());
}

void NJPrefsWindowController::crossFadeView(QWidget* oldView, QWidget* newView)
{
    if (m_viewAnimation)
        m_viewAnimation->stop();
    // Free to change size while the fade runs; fixed again at its end.
    freeSize();
    NJAnimationGroup::setWidgetOpacity(newView, 0);
    newView->show();
    m_viewAnimation.emplace(kCrossFadeDuration, "easeInOut");
    if (oldView)
        m_viewAnimation->opacity(oldView, 0);
    m_viewAnimation->opacity(newView, 1.0).geometry(m_window, frameForView(newView));
    QPointer<NJPrefsWindowController> self(this);
    m_viewAnimation->completion([self] {
        if (self)
            self->animationDidEnd();
    });
    m_viewAnimation->start();
}

void NJPrefsWindowController::animationDidEnd()
{
    if (m_subviews.empty())
        return;
    QWidget* top = m_subviews.back();
    for (QWidget* view : m_subviews) {
        if (view != top)
            view->hide();
    }
    m_subviews.assign(1, top);
    setFixedFrame(frameForView(top));
    if (QWidget* focused = m_window->focusWidget())
        focused->clearFocus();
}
