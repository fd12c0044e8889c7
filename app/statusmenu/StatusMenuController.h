#pragma once

#include "app/statusmenu/StatusMenu.h"
#include "foundation/NotificationCenter.h"

#include <QObject>

#include <memory>
#include <optional>
#include <vector>

class AppDelegate;
class QAction;
class QSystemTrayIcon;
class StatusMenuWidget;

// The status item in the desktop's notification area and its menu: the fixed
// entries and up to 20 recent colours of the history and of the favourites, each
// titled with the current export format's short text and drawn as a swatch.
class StatusMenuController final : public QObject, public StatusMenu {
    Q_OBJECT
public:
    static constexpr int kColorEntries = 20;
    static constexpr int kHistorySeparatorTag = -1;
    static constexpr int kFavoriteSeparatorTag = -2;

    explicit StatusMenuController(AppDelegate& delegate);
    ~StatusMenuController() override;

    void refreshStatusImage() override;
    void setShortcut(Entry entry, const std::vector<std::uint8_t>& archivedShortcut) override;
    void initMenulet() override;
    void createMenuletItem() override;
    void attachWelcome() override;
    void attachMenu() override;
    void updateMenulet(bool optionHeld) override;
    bool isOpen() const override { return m_menubarVisible; }
    std::string pickColorMenuItemTitle() const override;

    StatusMenuWidget* menu() const { return m_menu.get(); }
    QSystemTrayIcon* statusItem() const { return m_statusItem.get(); }
    const std::vector<QAction*>& historyMenuEntries() const { return m_historyMenuEntries; }
    const std::vector<QAction*>& favoriteMenuEntries() const { return m_favoriteMenuEntries; }
    QAction* formatSeparator() const { return m_formatSeparator; }

    void menuWillOpen();
    void menuDidClose();

private:
    QAction* addAction(const char* objectName, const QString& text);
    std::vector<QAction*> addMenuItems(int count, QAction* after, bool history);
    void fillGroup(const std::vector<QAction*>& entries, QAction* separator, bool shown, const std::vector<class Color>& colors,
                   long long maximum);
    void itemPressed(const QAction* entry, bool history);
    // The icon in the shades of the theme in force.
    void updateStatusIcon();

    AppDelegate& m_delegate;
    std::unique_ptr<StatusMenuWidget> m_menu;
    std::unique_ptr<QSystemTrayIcon> m_statusItem;
    QAction* m_pickColorMenuItem = nullptr;
    QAction* m_overlayMenuItem = nullptr;
    QAction* m_historyMenuSeparator = nullptr;
    QAction* m_favoriteMenuSeparator = nullptr;
    QAction* m_formatSeparator = nullptr;
    std::vector<QAction*> m_historyMenuEntries;
    std::vector<QAction*> m_favoriteMenuEntries;
    bool m_menubarVisible = false;
    bool m_menuAttached = false;
    std::optional<NotificationCenter::Token> m_appearanceObserver;
};
