#include "StatusMenuController.h"

#include "app/AppDelegate.h"
#include "app/picking/AppHotKeys.h"
#include "app/statusmenu/AppIcons.h"
#include "app/banner/ExportBanner.h"
#include "app/statusmenu/StatusMenuWidget.h"
#include "app/statusmenu/SwatchPainter.h"
#include "formats/processor/QVFormatProcessor.h"
#include "uikit/application/NJApplication.h"

#include <QAction>
#include <QCursor>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>

#include <algorithm>

namespace {

constexpr const char* kEntryTitle = "Entry";
constexpr QSize kEntryImageSize(16, 17);
// The swatch at (1, 1) from the bottom of the 17 point high image.
constexpr QRectF kEntrySwatch(1, 3, 13, 13);
constexpr double kOutlineFraction = 0.25;
constexpr const char* kToolTip = "Vendrel";

QIcon entryImage(const Color& color)
{
    QPixmap pixmap(kEntryImageSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    SwatchPainter::drawSwatch(painter, color, kEntrySwatch);
    painter.setOpacity(kOutlineFraction);
    painter.setPen(QPen(Qt::black, 1.0));
    painter.drawRect(kEntrySwatch.adjusted(0.5, 0.5, -0.5, -0.5));
    painter.end();
    return QIcon(pixmap);
}

NJApplication* application()
{
    NJApplication* app = NJApplication::sharedApplication();
    return app && app->hasPlatform() ? app : nullptr;
}

} // namespace

std::string StatusMenuController::pickColorMenuItemTitle() const
{
    return m_pickColorMenuItem->text().toStdString();
}

StatusMenuController::StatusMenuController(AppDelegate& delegate)
    : m_delegate(delegate)
    , m_menu(std::make_unique<StatusMenuWidget>())
{
    AppDelegate* controller = &m_delegate;
    m_pickColorMenuItem = addAction("pickColorAction", tr("Pick Color"));
    connect(m_pickColorMenuItem, &QAction::triggered, this, [controller] { controller->showPicker(controller); });
    m_overlayMenuItem = addAction("overlayAction", tr("Colors and Formats"));
    connect(m_overlayMenuItem, &QAction::triggered, this, [controller] { controller->showOverlay(controller); });

    m_formatSeparator = m_menu->addSeparator();
    m_formatSeparator->setObjectName("formatSeparatorAction");
    m_historyMenuSeparator = m_menu->addSection(tr("History"));
    m_historyMenuSeparator->setObjectName("historySeparatorAction");
    m_historyMenuSeparator->setData(kHistorySeparatorTag);
    m_favoriteMenuSeparator = m_menu->addSection(tr("Favorites"));
    m_favoriteMenuSeparator->setObjectName("favoriteSeparatorAction");
    m_favoriteMenuSeparator->setData(kFavoriteSeparatorTag);
    m_menu->addSeparator();

    // No update service and no beta feedback exist here.
    addAction("checkForUpdatesAction", tr("Check for Updates…"))->setVisible(false);
    QAction* betaSeparator = m_menu->addSeparator();
    betaSeparator->setObjectName("betaSeparatorAction");
    betaSeparator->setVisible(false);
    addAction("betaFeedbackAction", tr("Send Feedback…"))->setVisible(false);

    connect(addAction("preferencesAction", tr("Preferences…")), &QAction::triggered, this,
            [controller] { controller->windows().showPreferences(); });
    connect(addAction("aboutAction", tr("About Vendrel")), &QAction::triggered, this,
            [controller] { controller->windows().showAbout(); });
    m_menu->addSeparator();
    connect(addAction("quitAction", tr("Quit Vendrel")), &QAction::triggered, this,
            [controller] { controller->terminateApplication(); });

    connect(m_menu.get(), &QMenu::aboutToShow, this, &StatusMenuController::menuWillOpen);
    connect(m_menu.get(), &QMenu::aboutToHide, this, &StatusMenuController::menuDidClose);
    // The program has no menu bar: the status menu is the menu whose key equivalents the
    // shortcut recorders must not take.
    if (NJApplication* app = NJApplication::sharedApplication()) {
        app->setMainMenu(m_menu.get());
        m_appearanceObserver = NotificationCenter::defaultCenter().addObserver(
            NJApplication::kAppearanceChangedNotification,
            [this](const NotificationCenter::Notification&) { updateStatusIcon(); }, app);
    }
}

StatusMenuController::~StatusMenuController()
{
    if (m_appearanceObserver)
        NotificationCenter::defaultCenter().removeObserver(*m_appearanceObserver);
    if (m_statusItem)
        m_statusItem->hide();
}

QAction* StatusMenuController::addAction(const char* objectName, const QString& text)
{
    QAction* action = m_menu->addAction(text);
    action->setObjectName(objectName);
    return action;
}

void StatusMenuController::initMenulet()
{
    if (!m_historyMenuEntries.empty())
        return;
    m_historyMenuEntries = addMenuItems(kColorEntries, m_historyMenuSeparator, true);
    m_favoriteMenuEntries = addMenuItems(kColorEntries, m_favoriteMenuSeparator, false);
}

std::vector<QAction*> StatusMenuController::addMenuItems(int count, QAction* after, bool history)
{
    std::vector<QAction*> entries;
    const QList<QAction*> actions = m_menu->actions();
    const qsizetype at = actions.indexOf(after);
    QAction* before = at + 1 < actions.size() ? actions.at(at + 1) : nullptr;
    for (int tag = 1; tag <= count; ++tag) {
        auto* entry = new QAction(kEntryTitle, m_menu.get());
        entry->setObjectName(QString(history ? "historyEntryAction%1" : "favoriteEntryAction%1").arg(tag));
        entry->setData(tag);
        entry->setVisible(false);
        connect(entry, &QAction::triggered, this, [this, entry, history] { itemPressed(entry, history); });
        m_menu->insertAction(before, entry);
        entries.push_back(entry);
    }
    return entries;
}

void StatusMenuController::createMenuletItem()
{
    if (m_statusItem)
        return;
    m_statusItem = std::make_unique<QSystemTrayIcon>();
    updateStatusIcon();
    m_statusItem->setToolTip(kToolTip);
    connect(m_statusItem.get(), &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason != QSystemTrayIcon::Trigger)
            return;
        if (m_menuAttached)
            m_menu->popup(QCursor::pos());
        else
            m_delegate.windows().showWelcome();
    });
    refreshStatusImage();
}

void StatusMenuController::updateStatusIcon()
{
    NJApplication* app = application();
    if (m_statusItem)
        m_statusItem->setIcon(AppIcons::statusIcon(app && app->darkMode()));
}

void StatusMenuController::refreshStatusImage()
{
    if (!m_statusItem)
        return;
    // Hidden, the item stays and comes back when the setting does.
    m_statusItem->setVisible(m_delegate.inMenubar());
}

void StatusMenuController::attachWelcome()
{
    m_menuAttached = false;
    if (m_statusItem)
        m_statusItem->setContextMenu(nullptr);
}

void StatusMenuController::attachMenu()
{
    m_menuAttached = true;
    if (m_statusItem)
        m_statusItem->setContextMenu(m_menu.get());
}

void StatusMenuController::setShortcut(Entry entry, const std::vector<std::uint8_t>& archivedShortcut)
{
    QAction* action = entry == Entry::PickColor ? m_pickColorMenuItem : m_overlayMenuItem;
    action->setShortcut(AppHotKeys::keySequence(archivedShortcut));
}

void StatusMenuController::menuWillOpen()
{
    m_delegate.unregisterShortcuts();
    if (m_delegate.isOverlayVisible())
        m_delegate.hideOverlay();
    if (ExportBanner* banner = m_delegate.windows().banner(); banner && banner->isVisible())
        banner->orderOut();
    m_menubarVisible = true;
    if (NJApplication* app = application())
        app->enableFlagSwitchListening();
    updateMenulet(QGuiApplication::queryKeyboardModifiers().testFlag(Qt::AltModifier));
}

void StatusMenuController::menuDidClose()
{
    m_menubarVisible = false;
    if (NJApplication* app = application())
        app->disableFlagSwitchListening();
    m_delegate.registerShortcuts();
}

void StatusMenuController::updateMenulet(bool optionHeld)
{
    const auto& history = m_delegate.historyColors();
    const auto& favorites = m_delegate.favoriteColors();
    const bool somethingToShow =
        std::min<long long>(m_delegate.maximumHistoryMenuItems(), static_cast<long long>(history.size())) > 0
        || std::min<long long>(m_delegate.maximumFavoriteMenuItems(), static_cast<long long>(favorites.size())) > 0;
    const bool showHistory = somethingToShow && (optionHeld != m_delegate.showHistoryMenuItems());
    const bool showFavorites = somethingToShow && (optionHeld == m_delegate.showHistoryMenuItems());
    if (!m_delegate.exportFormat())
        return;
    m_historyMenuSeparator->setVisible(false);
    m_favoriteMenuSeparator->setVisible(false);
    fillGroup(m_historyMenuEntries, m_historyMenuSeparator, showHistory, history, m_delegate.maximumHistoryMenuItems());
    fillGroup(m_favoriteMenuEntries, m_favoriteMenuSeparator, showFavorites, favorites,
              m_delegate.maximumFavoriteMenuItems());
    m_formatSeparator->setVisible(m_historyMenuSeparator->isVisible() || m_favoriteMenuSeparator->isVisible());
}

void StatusMenuController::fillGroup(const std::vector<QAction*>& entries, QAction* separator, bool shown,
                                     const std::vector<Color>& colors, long long maximum)
{
    QVFormatProcessor* processor = m_delegate.formatProcessor();
    const QVFormatDefinition& format = *m_delegate.exportFormat();
    const std::string templateText = format.shortFormat().empty() ? format.exportFormat() : format.shortFormat();
    std::size_t index = 0;
    for (QAction* entry : entries) {
        const bool filled = shown && entry->data().toInt() > 0 && index < colors.size()
            && static_cast<long long>(index) < maximum && processor;
        if (!filled) {
            entry->setVisible(false);
            continue;
        }
        if (index == 0)
            separator->setVisible(true);
        processor->updateColorValuesWithColor(colors[index]);
        entry->setText(QString::fromStdString(processor->renderFormat(templateText).value_or(std::string())));
        entry->setIcon(entryImage(colors[index]));
        entry->setVisible(true);
        ++index;
    }
}

void StatusMenuController::itemPressed(const QAction* entry, bool history)
{
    const int tag = entry->data().toInt();
    const auto& colors = history ? m_delegate.historyColors() : m_delegate.favoriteColors();
    if (tag <= 0 || static_cast<std::size_t>(tag - 1) >= colors.size() || !m_delegate.exportFormat())
        return;
    // A copy: the export may change the lists.
    const Color color = colors[static_cast<std::size_t>(tag - 1)];
    const QVFormatDefinition format = *m_delegate.exportFormat();
    m_delegate.exportColor(color, format);
}
