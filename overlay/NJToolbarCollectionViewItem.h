#pragma once

#include "overlay/NJColorPanel.h"
#include "overlay/NJTBView.h"

#include <QObject>
#include <QPointer>

class NJToolbarCollectionView;

// A tab of the editor's tab bar for one toolbar item of the colour panel.
class NJToolbarCollectionViewItem final : public QObject {
    Q_OBJECT
public:
    NJToolbarCollectionViewItem(NJToolbarCollectionView* collectionView, NJColorPanel* panel);
    ~NJToolbarCollectionViewItem() override;

    void loadView();
    NJTBView* view() const { return m_view; }
    const NJColorPanelToolbarItem& representedObject() const { return m_item; }
    // Gives the button the item's image, and the item as the target of its clicks.
    void setRepresentedObject(const NJColorPanelToolbarItem& item);

    void clicked();
    // The toolbar item's action, sent to the panel with the item.
    void sendActionToButton();

private:
    NJToolbarCollectionView* m_collectionView = nullptr;
    QPointer<NJColorPanel> m_panel;
    QPointer<NJTBView> m_view;
    NJColorPanelToolbarItem m_item;
};
