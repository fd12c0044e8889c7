#pragma once

#include "formats/color/Color.h"
#include "uikit/animation/NJAnimationGroup.h"
#include "uikit/windows/WNJVisualEffectWindow.h"

#include <QColor>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QRectF>
#include <QString>

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class AppDelegate;
class NJColorPickerViewController;
class NJFormatTableView;
class NJSearchArrayController;
class NJSwatchesController;
class QAction;
class QLineEdit;
class QPoint;
class QToolButton;
class QVFormatProcessor;
class QVFormatRepository;
namespace Ui {
class QVOverlayWindow;
}

// The colours-and-formats panel: the swatch strips above the list of every export
// format rendered for the selected swatch. Typing filters the list; a click, Return
// or a double click on a swatch exports.
class QVOverlayWindow final : public WNJVisualEffectWindow {
    Q_OBJECT
public:
    using Block = std::function<void()>;

    static constexpr double kFilterDelay = 0.02;
    static constexpr double kFilterAnimationDuration = 0.25;
    static constexpr double kHideAfterExport = 0.12;
    static constexpr double kShowPickerDelay = 0.1;
    static constexpr std::size_t kMaxVisibleRows = 10;
    // How far below the first visible row the selection may be for an animated change.
    static constexpr long long kMaxAnimatedDistance = 9;
    static constexpr const char* kPlaceholder = "Type to filter formats";
    static constexpr const char* kColorPanelToolTip = "Edit Color (Alt+Click or Super+Return)";
    static constexpr const char* kWindowTitle = "Vendrel overlay";
    static constexpr double kColorPanelDuration = 0.3;
    static constexpr double kColorPanelSlowDuration = 3.0;

    QVOverlayWindow(AppDelegate& delegate, const QVFormatRepository& repository);
    ~QVOverlayWindow() override;

    void setupUI();
    void setFormatProcessor(QVFormatProcessor* processor);

    NJFormatTableView* formatTableView() const;
    NJSearchArrayController* formatController() const { return m_formatController.get(); }
    NJSwatchesController* swatchesController() const { return m_swatchesController; }
    QLineEdit* linkSearchField() const;
    QLabel* noMatchingFormatLabel() const;
    QWidget* emptyHistoryView() const;
    QToolButton* pickerButton() const;
    QToolButton* colorPanelButton() const;
    QAction* searchButton() const { return m_searchButton; }
    QAction* cancelButton() const { return m_cancelButton; }
    QToolButton* colorPanelCloseButton() const;

    void createSwatchesController();
    void updateSwatchesState();
    bool hasSelectedColor() const;
    Color selectedColor() const;
    Color selectedColorAsSRGB() const { return selectedColor().getassRGBColor(); }
    bool colorsInvalid() const { return m_colorsInvalid; }

    void addSelectionListeners();
    void removeSelectionListeners();
    void updateFormatLists();

    void makeKeyAndOrderFront();
    void orderOut();
    bool exportWithSelectedFormat();
    void showPicker();
    void toggleCurrentColorFavorite();
    bool isSearchFirstResponder() const;
    void initializeAppearance();
    void applicationAppearanceDidChange() override;

    // Filtering and sizing.
    QString searchString() const;
    QString currentSearchString() const;
    void resetFilterSearch(bool force);
    void updateFilterSearch();
    void updateFilterSearchInstant();
    void updateFilterSearch(bool instant);
    // Applies everything typed so far at once, ending a running filter animation.
    void settleFilterSearch();
    void showNoFormatInfo();
    void hideNoFormatInfo();
    QRectF calculateWindowRect(std::size_t rows) const;
    void resizeWindowForSearch(const QString& text);
    void resizeWindow(Block completion);
    void resizeWindowToMaximum();
    void resizeWindowToMaximum(Block completion);

    // The colour editor in place of the format list.
    void addColorPanel();
    bool colorPanelVisible() const;
    // A null rectangle closes without transition.
    void showColorPanel(const QRectF& startRect);
    void hideColorPanel(const QRectF& targetRect);
    void toggleColorPanel();
    void colorPanelColorChanged();
    // A thin mark 2 points above the bottom of the selected swatch; null without one.
    QRectF currentSelectedItemStartRect() const;
    void toggleHistory();
    NJColorPickerViewController* pickerController() const { return m_pickerController.get(); }
    bool isColorPanelAnimating() const { return m_colorPanelAnimating; }

    // Keyboard.
    void cancelOperation();
    void keyDown(QKeyEvent* event);
    void sendBufferedCharacters();
    bool isMakingFirstResponder() const { return m_makingFirstResponder; }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The format list lies over the bottom of the swatch strip by this much.
    static constexpr int kContainerOverlap = 2;

    void resignKeyWindow();
    void controlTextDidChange();
    bool searchFieldCommand(QKeyEvent* event);
    void exportOnReturn();
    void activeStripSelectionChanged();
    void updateToolTips();
    void reselectCurrentFormat();
    void filterGroupStep(const std::string& search, bool instant, bool& changed);
    void filterCompletionStep(const std::string& search, bool changed);
    double colorPanelDuration() const;
    QColor screenColorAt(const QWidget* widget, const QPoint& point) const;
    void showColorPanelLayer(QWidget* transition);
    void hideColorPanelLayer(bool drop);
    void showNavigation(bool editor);
    void dropPickerController();
    void themeMagnifier();

    AppDelegate& m_delegate;
    const QVFormatRepository& m_repository;
    std::unique_ptr<Ui::QVOverlayWindow> m_ui;
    QWidget* m_content = nullptr;
    std::unique_ptr<NJSearchArrayController> m_formatController;
    NJSwatchesController* m_swatchesController = nullptr;
    QVFormatProcessor* m_formatProcessor = nullptr;
    bool m_initialized = false;
    bool m_selectionListening = false;
    bool m_colorsInvalid = true;
    bool m_refreshPending = false;
    bool m_makingFirstResponder = false;
    bool m_keyDownResent = false;
    std::optional<NJAnimationGroup> m_filterAnimation;
    // Typed while the focus moves to the search field; Backspace is kept as '\b'.
    QString m_bufferedCharacters;
    // The search field's magnifier and its cancel button.
    QAction* m_searchButton = nullptr;
    QAction* m_cancelButton = nullptr;
    std::unique_ptr<NJColorPickerViewController> m_pickerController;
    bool m_colorPanelAnimating = false;
    // Escape came while the editor opened: it closes as soon as it is open.
    bool m_closeWhenOpened = false;
    // Counts the editor's closes at once, which cut an opening transition short.
    unsigned long m_colorPanelOpening = 0;
    // An edit is being written back: the selection observer leaves the panel alone.
    bool m_blockUpdate = false;
    bool m_refocusSearch = false;
    // The picture of the panel taken as the editor opens, laid under the transitions.
    QImage m_colorPanelLayer;
    QPointer<QLabel> m_colorPanelLayerView;
    QMetaObject::Connection m_historyListener;
    QMetaObject::Connection m_favoriteListener;
};
