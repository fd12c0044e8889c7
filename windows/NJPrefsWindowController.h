#pragma once

#include "uikit/animation/NJAnimationGroup.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

#include <map>
#include <optional>
#include <vector>

class QAction;
class QToolBar;
class QVPreferenceWindow;

// A preferences window switched by a toolbar: each toolbar item shows one pane, the
// window takes the pane's size with its top edge in place, and a change of pane
// cross-fades. Subclasses add their panes in setupToolbar().
class NJPrefsWindowController : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kToolbarIdentifier = "NJPreferencesToolbar";
    static constexpr double kCrossFadeDuration = 0.25;

    NJPrefsWindowController();
    ~NJPrefsWindowController() override;

    QVPreferenceWindow* window() const { return m_window; }
    QToolBar* toolbar() const { return m_toolbar; }
    bool crossFade() const { return m_crossFade; }
    void setCrossFade(bool on) { m_crossFade = on; }
    const QString& currentViewIdentifier() const { return m_currentViewIdentifier; }
    const std::vector<QString>& toolbarIdentifiers() const { return m_toolbarIdentifiers; }
    QAction* toolbarItem(const QString& identifier) const;
    // The panes in the content view, the one shown last.
    const std::vector<QWidget*>& contentSubviews() const { return m_subviews; }
    bool isWindowVisible() const;

    virtual void showWindow();
    virtual void displayViewForIdentifier(const QString& identifier, bool animate);
    void toggleActivePreferenceView(const QString& identifier) { displayViewForIdentifier(identifier, true); }
    // The window frame that fits the pane below the toolbar, with the top edge kept.
    QRect frameForView(const QWidget* view) const;
    // The pane's size, grown where its controls need more room.
    static QSize fittingSize(const QWidget* view);

protected:
    // Hooks for subclasses.
    virtual void setupToolbar() {}
    virtual void setupPreferences() {}
    virtual void addedView(const QString&) {}
    virtual void windowWillClose() {}
    virtual void windowWillMove() {}
    virtual void windowDidResignKey() {}

    // The pane's toolbar image is the image named like the label.
    void addView(QWidget* view, const QString& label);
    void addView(QWidget* view, const QString& label, const QString& image);

private:
    // The window takes the frame and keeps its size: a window manager offers no resizing.
    void setFixedFrame(const QRect& frame);
    void freeSize();
    void crossFadeView(QWidget* oldView, QWidget* newView);
    void animationDidEnd();
    void createToolbar();

    QVPreferenceWindow* m_window = nullptr;
    QWidget* m_contentSubview = nullptr;
    QToolBar* m_toolbar = nullptr;
    std::vector<QString> m_toolbarIdentifiers;
    std::map<QString, QPointer<QWidget>> m_toolbarViews;
    std::map<QString, QAction*> m_toolbarItems;
    std::vector<QWidget*> m_subviews;
    std::optional<NJAnimationGroup> m_viewAnimation;
    QString m_currentViewIdentifier;
    bool m_crossFade = true;
    bool m_isInitialized = false;
};
