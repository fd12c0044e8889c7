#pragma once

#include "overlay/NJToolbarCollectionView.h"
#include "uikit/views/WNJOpaqueView.h"

#include <QLineEdit>
#include <QObject>
#include <QPointer>
#include <QScrollArea>
#include <QString>

class NJColorPanel;

// Hosts the shared colour panel's content in a view of its own, with a tab bar for
// the panel's toolbar items. On destruction the content goes back to the panel.
class NJColorPickerViewController final : public QObject {
    Q_OBJECT
public:
    static constexpr int kWidth = 480;
    static constexpr int kHeight = 400;
    static constexpr int kTabBarHeight = 50;
    // Every picker but the crayons.
    static constexpr unsigned kPickerMask = 0xFF7F;

    NJColorPickerViewController();
    ~NJColorPickerViewController() override;

    void setupUI();
    // The main view, made on first use.
    QWidget* view();
    bool isViewLoaded() const { return m_mainView != nullptr; }
    QWidget* colorPanelView() const;

    void updateToolbarItems();
    void tabBarChangedSelection();
    void setColorPanelFrame(double tabBarHeight);
    void setAppearance(const QString& appearance);
    void assignFirstTextField();
    // The first visible, editable line edit, searching each child's children before the child.
    static QLineEdit* findFirstTextField(QWidget* view);
    // A visible view of the class (or a subclass) at any depth below the view.
    static bool hasControlOfClass(const char* className, QWidget* view);
    void updateNextKeyLoop(bool focus);
    void updateFrame();
    void selectFirstTab();

    NJColorPanel* colorPanel() const { return m_colorPanel; }
    NJToolbarCollectionView* tabbar() const { return m_tabbar; }
    QScrollArea* tabScrollView() const { return m_tabScrollView; }
    QWidget* toolbarContainer() const { return m_toolbarContainer; }
    void setToolbarContainer(QWidget* container) { m_toolbarContainer = container; }
    QWidget* navigationContainer() const { return m_navigationContainer; }
    void setNavigationContainer(QWidget* container) { m_navigationContainer = container; }
    double tabBarHeight() const { return m_tabBarHeight; }
    const QString& initialTab() const { return m_initialTab; }
    QWidget* box() const { return m_box; }
    QLineEdit* firstTextField() const { return m_firstTextField; }
    bool isInitialized() const { return m_initialized; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void loadView();

    NJColorPanel* m_colorPanel = nullptr;
    QPointer<NJToolbarCollectionView> m_tabbar;
    QPointer<QScrollArea> m_tabScrollView;
    QPointer<QWidget> m_toolbarContainer;
    QPointer<QWidget> m_navigationContainer;
    double m_tabBarHeight = 0;
    QPointer<WNJBasicView> m_mainView;
    QPointer<WNJOpaqueView> m_subEffectView;
    QString m_initialTab;
    QPointer<QWidget> m_box;
    QPointer<QLineEdit> m_firstTextField;
    bool m_initialized = false;
    bool m_refocusFirstTextField = false;
};
