#pragma once

#include "formats/color/Color.h"

#include <QWidget>

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QAbstractScrollArea;
class QLabel;
class WNJIndicatorCollectionItem;

// One row of colour swatches with a selection frame and an arrow that glide to the
// selected swatch. Clicks, double clicks, Option-clicks and favourite buttons reach the
// owner through callbacks; the selection is announced by selectionIndexesChanged().
class WNJIndicatorCollectionView : public QWidget {
    Q_OBJECT
public:
    using ItemCallback = std::function<void(WNJIndicatorCollectionItem&)>;
    using Callback = std::function<void()>;
    using StripCallback = std::function<void(WNJIndicatorCollectionView&)>;

    static constexpr int kSelectionWidth = 44;
    static constexpr int kSelectionHeight = 50;
    static constexpr int kArrowWidth = 44;
    static constexpr int kArrowHeight = 12;
    static constexpr double kMoveDuration = 0.125;
    static constexpr double kArrowDuration = 0.25;
    static constexpr double kFadeDuration = 0.4;
    static constexpr unsigned long kOptionFlag = 0x80000;

    WNJIndicatorCollectionView(const QRect& frame, const QSize& itemSize, QWidget* parent = nullptr);
    ~WNJIndicatorCollectionView() override;

    // One swatch per colour, in order. A selection past the new end is dropped.
    void setContent(const std::vector<Color>& content);
    const std::vector<Color>& content() const { return m_content; }
    WNJIndicatorCollectionItem* itemAtIndex(std::size_t index) const;

    std::vector<std::size_t> selectionIndexes() const;
    // Selects the first of the indexes. An empty list, an empty strip or an index past
    // the end changes nothing.
    void setSelectionIndexes(const std::vector<std::size_t>& indexes);
    QWidget* selectedItem() const { return m_selectedItem; }

    bool showSelection() const { return m_showSelection; }
    void setShowSelection(bool show);
    void showSelectionAnimated(bool animated);
    void hideSelectionAnimated(bool animated);
    void doShowSelection() { showSelectionAnimated(false); }
    void doHideSelection() { hideSelectionAnimated(false); }

    bool isInitialized() const { return m_initialized; }
    bool arrowIn() const { return m_arrowIn; }
    QLabel* selectionView() const { return m_selectionView; }
    QLabel* arrowView() const { return m_arrowView; }

    // Shown by a swatch in place of the clear colour.
    const std::optional<Color>& backgroundColor() const { return m_backgroundColor; }
    void setBackgroundColor(std::optional<Color> color) { m_backgroundColor = std::move(color); }
    QSize itemSize() const { return m_itemSize; }

    const ItemCallback& onUpdateButton() const { return m_onUpdateButton; }
    void setOnUpdateButton(ItemCallback callback) { m_onUpdateButton = std::move(callback); }
    void setOnButtonClick(ItemCallback callback) { m_onButtonClick = std::move(callback); }
    void setOnDoubleClick(Callback callback) { m_onDoubleClick = std::move(callback); }
    void setOnAlternativeActionClick(StripCallback callback) { m_onAlternativeActionClick = std::move(callback); }

    void updateButtons();
    void updateImages();
    void initalizeAppearance();
    void viewDidChangeBackingProperties();

    void makeSelectedItemVisible();
    void animateSelection();
    void animateArrowIn();
    void animateArrowOut();
    void createSelectionView();
    void createArrowView();
    void updateSelectionViewImage();
    void updateArrowViewImage();

    // The index of the swatch under a point of the window; nullopt for none.
    std::optional<std::size_t> itemAtPointInWindow(const QPoint& windowPoint) const;
    void buttonClicked(WNJIndicatorCollectionItem& item);

signals:
    void selectionIndexesChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void mouseDown(QMouseEvent* event, int clickCount);
    double selectedCenter() const;
    QPoint selectionTarget(double center) const;
    QPoint arrowRest(double center) const;
    int arrowHiddenY() const;
    QAbstractScrollArea* enclosingScrollArea() const;
    void applyMarkVisibility();
    // Shows or hides the marks at the opacity, then fades them on the next turn.
    void setMarks(bool shown, double opacity, std::optional<double> fadeTo);
    std::optional<std::size_t> firstSelected() const { return m_selected; }

    std::vector<Color> m_content;
    std::vector<std::unique_ptr<WNJIndicatorCollectionItem>> m_items;
    std::optional<std::size_t> m_selected;
    QWidget* m_selectedItem = nullptr;
    QSize m_itemSize;
    bool m_initialized = false;
    bool m_showSelection = true;
    bool m_arrowIn = false;
    // The marks are in the view tree; the arrow may be hidden on its own.
    bool m_marksAttached = false;
    bool m_arrowHidden = false;
    QLabel* m_selectionView = nullptr;
    QLabel* m_arrowView = nullptr;
    std::optional<Color> m_backgroundColor;
    ItemCallback m_onUpdateButton;
    ItemCallback m_onButtonClick;
    Callback m_onDoubleClick;
    StripCallback m_onAlternativeActionClick;
};
