#pragma once

#include "overlay/NJColorPanel.h"

#include <QWidget>

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

class NJToolbarCollectionViewItem;

// The editor's tab bar: one 36-point tab per toolbar item of the colour panel, side
// by side. It keeps no selection: the selected tab only draws itself selected.
class NJToolbarCollectionView final : public QWidget {
    Q_OBJECT
public:
    using Callback = std::function<void()>;

    explicit NJToolbarCollectionView(NJColorPanel* panel, QWidget* parent = nullptr);
    ~NJToolbarCollectionView() override;

    void setContent(const std::vector<NJColorPanelToolbarItem>& items);
    std::size_t count() const { return m_items.size(); }
    NJToolbarCollectionViewItem* itemAtIndex(std::size_t index) const;
    // The position of an item's view among the tabs; the count when it is not one.
    std::size_t indexOfItem(const NJToolbarCollectionViewItem* item) const;

    // Marks the tab at the first index selected and every other one not.
    void setSelectionIndexes(const std::vector<std::size_t>& indexes);

    const Callback& onClick() const { return m_onClick; }
    void setOnClick(Callback callback) { m_onClick = std::move(callback); }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    NJColorPanel* m_panel = nullptr;
    std::vector<std::unique_ptr<NJToolbarCollectionViewItem>> m_items;
    Callback m_onClick;
};
