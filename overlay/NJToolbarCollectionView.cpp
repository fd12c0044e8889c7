#include "NJToolbarCollectionView.h"

#include "overlay/NJTBView.h"
#include "overlay/NJToolbarCollectionViewItem.h"

NJToolbarCollectionView::NJToolbarCollectionView(NJColorPanel* panel, QWidget* parent)
    : QWidget(parent)
    , m_panel(panel)
{
    setObjectName(QStringLiteral("colorPanelTabBar"));
    setAutoFillBackground(false);
}

NJToolbarCollectionView::~NJToolbarCollectionView() = default;

void NJToolbarCollectionView::setContent(const std::vector<NJColorPanelToolbarItem>& items)
{
    m_items.clear();
    int x = 0;
    for (const NJColorPanelToolbarItem& entry : items) {
        auto item = std::make_unique<NJToolbarCollectionViewItem>(this, m_panel);
        item->setRepresentedObject(entry);
        item->view()->move(x, 0);
        item->view()->show();
        x += NJTBView::kWidth;
        m_items.push_back(std::move(item));
    }
    setMinimumWidth(x);
}

NJToolbarCollectionViewItem* NJToolbarCollectionView::itemAtIndex(std::size_t index) const
{
    return index < m_items.size() ? m_items[index].get() : nullptr;
}

std::size_t NJToolbarCollectionView::indexOfItem(const NJToolbarCollectionViewItem* item) const
{
    std::size_t index = 0;
    while (index < m_items.size() && m_items[index].get() != item)
        ++index;
    return index;
}

void NJToolbarCollectionView::setSelectionIndexes(const std::vector<std::size_t>& indexes)
{
    for (const auto& item : m_items) {
        item->view()->setSelected(false);
        item->view()->update();
    }
    if (indexes.empty())
        return;
    if (NJToolbarCollectionViewItem* item = itemAtIndex(indexes.front())) {
        item->view()->setSelected(true);
        item->view()->update();
    }
}

void NJToolbarCollectionView::resizeEvent(QResizeEvent*)
{
    for (const auto& item : m_items)
        item->view()->resize(NJTBView::kWidth, height());
}
