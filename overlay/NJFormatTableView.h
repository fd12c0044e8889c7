#pragma once

#include "formats/QVFormatDefinition.h"

#include <QListView>

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

class NJFormatListModel;
class NJSearchArrayController;
class QVFormatProcessor;
class WNJSlimScroller;

// The one-column list of export formats, each rendered for the selected colour. The
// keyboard and the mouse move the selection through the content controller; a click
// on a row runs onFormatClick.
class NJFormatTableView final : public QListView {
    Q_OBJECT
    Q_PROPERTY(int rowHeight READ rowHeight WRITE setRowHeight)
public:
    using Block = std::function<void()>;

    static constexpr const char* kNoColorAvailable = "No color available.";
    static constexpr double kHighlightDuration = 0.04;
    static constexpr double kFlashDuration = 0.6;

    explicit NJFormatTableView(QWidget* parent = nullptr);

    // All scrolling snaps to rows of this height. It is set as a height at 96 dpi and
    // grows where the user's font settings make text larger.
    int rowHeight() const { return m_rowHeight; }
    void setRowHeight(int height);

    NJSearchArrayController* contentController() const { return m_contentController; }
    // Selection flows both ways between the table and the controller.
    void setContentController(NJSearchArrayController* controller);
    void setOnFormatClick(Block block) { m_onFormatClick = std::move(block); }
    // Where the texts come from: the processor and whether a colour is selected.
    void setFormatProcessor(QVFormatProcessor* processor) { m_processor = processor; }
    void setHasSelectedColor(std::function<bool()> hasSelectedColor) { m_hasSelectedColor = std::move(hasSelectedColor); }

    bool busyAnimating() const { return m_busyAnimating; }
    void setBusyAnimating(bool busy) { m_busyAnimating = busy; }
    const std::optional<QVFormatDefinition>& selectedFormat() const { return m_selectedFormat; }

    // Texts.
    std::string renderFormat(const QVFormatDefinition& format) const;
    void renderFormats();
    // "" while nothing was rendered; nullopt for a name the texts lack.
    std::optional<std::string> exportFormatForName(const std::string& name) const;
    // Reads the rows again; a row animation under way ends.
    void reloadData();

    // A filter change's row animation: between beginUpdates and endUpdates the caller
    // changes the rows and names those that left (indexes among the rows shown before)
    // and those that came (indexes among the new rows). endUpdates reads the new rows;
    // then, as the progress goes from 0 to 1, rows that left fade out where they were,
    // rows that came fade in where they now stand and the others slide to their places.
    void beginUpdates();
    void removeRows(std::vector<std::size_t> rows) { m_removedRows = std::move(rows); }
    void insertRows(std::vector<std::size_t> rows) { m_insertedRows = std::move(rows); }
    void endUpdates();
    void setUpdateProgress(double progress);
    void finishUpdates();
    bool isAnimatingRows() const { return m_animatedRows.has_value(); }
    // How opaque the format's row is drawn now: 1 outside a row animation, 0 for a row
    // neither shown nor animated.
    double rowOpacity(const QVFormatDefinition& format) const;

    // Selection.
    std::optional<std::size_t> selectedRow() const;
    void selectRowIndexes(const std::vector<std::size_t>& rows);
    bool selectRowWithFormat(const QVFormatDefinition& format);
    void tryToSelectFormat(const std::optional<QVFormatDefinition>& format);
    void updateSelection();

    // Scrolling.
    std::optional<std::size_t> topVisibleRow() const;
    void scrollToSelection(std::size_t minimumRow);
    void scrollToRow(std::size_t row);
    void scrollFormatsToY(float y, float itemHeight);
    void scrollToTop();
    // A scroller drawn over the rows' right edge, shown only while it flashes, so the
    // rows keep their width; it follows and drives the view's own scrolling.
    void setOverlayScroller(WNJSlimScroller* scroller);
    WNJSlimScroller* overlayScroller() const { return m_overlayScroller; }
    void flashScrollers();
    int flashCount() const { return m_flashCount; }
    std::size_t pageItemCount() const;

    // Moves.
    void moveToBeginning();
    void moveToEnding();
    void pageUp();
    void pageDown();
    void moveForward() { moveSelectionWithDelta(1); }
    void moveBackward() { moveSelectionWithDelta(-1); }
    void moveSelectionWithDelta(long long delta);

    // The table's own keys; false for a key it leaves to the window.
    bool keyDown(QKeyEvent* event);
    void formatClicked();
    // Empties the visible selection for the duration, keeping selectedFormat.
    void blinkSelection(double seconds);
    void highlightSelection() { blinkSelection(kHighlightDuration); }
    void initializeAppearance();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // Shows the rows as selected without touching the controller or selectedFormat.
    void showSelectedRows(const std::vector<std::size_t>& rows);
    void controllerSelectionChanged();
    QRect rectOfRow(std::size_t row) const;
    void placeOverlayScroller();
    // Where the row stands in the viewport for that many rows, before Qt lays them out.
    QRect laidOutRect(std::size_t row, std::size_t count) const;

    struct AnimatedRow {
        QVFormatDefinition format;
        QRect from;
        QRect to;
        double fromOpacity = 1;
        double toOpacity = 1;
    };

    NJFormatListModel* m_model;
    NJSearchArrayController* m_contentController = nullptr;
    QVFormatProcessor* m_processor = nullptr;
    WNJSlimScroller* m_overlayScroller = nullptr;
    std::function<bool()> m_hasSelectedColor;
    Block m_onFormatClick;
    std::optional<std::map<std::string, std::string>> m_exportFormats;
    std::optional<QVFormatDefinition> m_selectedFormat;
    int m_rowHeight = 40;
    float m_clipY = 0;
    bool m_busyAnimating = false;
    QVFormatList m_rowsBefore;
    std::vector<QRect> m_rectsBefore;
    std::vector<std::size_t> m_removedRows;
    std::vector<std::size_t> m_insertedRows;
    std::optional<std::vector<AnimatedRow>> m_animatedRows;
    double m_updateProgress = 0;
    bool m_applyingSelection = false;
    int m_flashCount = 0;
    unsigned long m_flashGeneration = 0;
};
