#include "NJToolbarCollectionViewItem.h"

#include "overlay/NJTBView.h"
#include "overlay/NJToolbarCollectionView.h"

#include <QToolButton>

NJToolbarCollectionViewItem::NJToolbarCollectionViewItem(NJToolbarCollectionView* collectionView,
                                                         NJColorPanel* panel)
    : m_collectionView(collectionView)
    , m_panel(panel)
{
}

NJToolbarCollectionViewItem::~NJToolbarCollectionViewItem()
{
    delete m_view.data();
}

void NJToolbarCollectionViewItem::loadView()
{
    if (m_view)
        return;
    m_view = new NJTBView(QRect(0, 0, NJTBView::kWidth, m_collectionView->height()), m_collectionView);
}

void NJToolbarCollectionViewItem::setRepresentedObject(const NJColorPanelToolbarItem& item)
{
    loadView();
    m_item = item;
    QToolButton* button = m_view->button();
    button->setIcon(item.image);
    button->setToolTip(item.toolTip);
    button->setObjectName(item.identifier + QStringLiteral("TabButton"));
    button->disconnect(this);
    connect(button, &QToolButton::clicked, this, [this] { clicked(); });
}

void NJToolbarCollectionViewItem::clicked()
{
    NJToolbarCollectionView* collectionView = m_collectionView;
    collectionView->setSelectionIndexes({collectionView->indexOfItem(this)});
    sendActionToButton();
    if (collectionView->onClick())
        collectionView->onClick()();
}

void NJToolbarCollectionViewItem::sendActionToButton()
{
    if (m_panel)
        m_panel->performToolbarItem(m_item);
}
