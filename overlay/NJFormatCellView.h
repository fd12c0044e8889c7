#pragma once

#include "formats/QVFormatDefinition.h"

#include <QColor>
#include <QString>
#include <QStyledItemDelegate>

#include <optional>

class NJFormatTableView;

// Draws one row of the format table: the group icon, the format's name, the text it
// renders for the selected colour and, on the selected row, the return glyph.
class NJFormatCellView final : public QStyledItemDelegate {
    Q_OBJECT
public:
    static constexpr const char* kNoValue = "no value";
    static constexpr const char* kReturnGlyph = "\u21A9\uFE0E";
    // Where the return glyph stands, from the row's left edge.
    static constexpr int kReturnGlyphX = 458;

    explicit NJFormatCellView(NJFormatTableView* table);

    // The row's values as the table gives them; the row object may be missing.
    QString formatValue(const std::optional<QVFormatDefinition>& row) const;
    bool isSelected(const std::optional<QVFormatDefinition>& row) const;
    bool imageHidden(const std::optional<QVFormatDefinition>& row) const;
    // The icon's image name; empty without row object.
    QString formatImageName(const std::optional<QVFormatDefinition>& row) const;
    static QString buttonImageName(const QString& group, bool active, bool darkMode);
    static QColor formatNameColor(bool selected, bool darkMode, const QColor& selectionColor);
    static QColor exportFormatColor(bool selected, bool darkMode);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // Draws the row object in the option's rectangle.
    void paintRow(QPainter* painter, const QStyleOptionViewItem& option, const std::optional<QVFormatDefinition>& row) const;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    NJFormatTableView* m_table;
};
