#include "NJFormatCellView.h"

#include "formats/color/Color.h"
#include "uikit/application/QtColor.h"
#include "overlay/NJFormatTableView.h"
#include "overlay/NJSearchArrayController.h"
#include "uikit/application/NamedImage.h"
#include "uikit/application/ThemeColors.h"
#include "uikit/windows/WNJVisualEffectWindow.h"

#include <QApplication>
#include <QFontInfo>
#include <QPainter>

namespace {

constexpr int kIconSide = 24;
constexpr int kIconMargin = 8;
constexpr int kTextLeft = 48;
constexpr int kTextRightMargin = 36;

QColor invertedSelectColor(const QColor& color)
{
    return qtcolor::fromColor(Color::sRGB(color.redF(), color.greenF(), color.blueF(), color.alphaF())
                                       .invertedSelectColor());
}

} // namespace

NJFormatCellView::NJFormatCellView(NJFormatTableView* table)
    : QStyledItemDelegate(table)
    , m_table(table)
{
}

QString NJFormatCellView::formatValue(const std::optional<QVFormatDefinition>& row) const
{
    if (!row || !m_table)
        return QString::fromLatin1(kNoValue);
    const auto text = m_table->exportFormatForName(row->name());
    return text ? QString::fromStdString(*text) : QString();
}

bool NJFormatCellView::isSelected(const std::optional<QVFormatDefinition>& row) const
{
    return row && m_table && m_table->selectedFormat() == row;
}

bool NJFormatCellView::imageHidden(const std::optional<QVFormatDefinition>& row) const
{
    return !WNJVisualEffectWindow::useVisualEffectView() || !isSelected(row);
}

QString NJFormatCellView::formatImageName(const std::optional<QVFormatDefinition>& row) const
{
    if (!row)
        return {};
    return buttonImageName(QString::fromStdString(row->group()).toLower(), isSelected(row), themecolors::darkMode());
}

QString NJFormatCellView::buttonImageName(const QString& group, bool active, bool darkMode)
{
    QString name = QStringLiteral("format-icon_") + QString(group).replace(QLatin1Char(' '), QLatin1Char('_'));
    if (active)
        return name + QStringLiteral("-active");
    return darkMode ? name + QStringLiteral("-inv") : name;
}

QColor NJFormatCellView::formatNameColor(bool selected, bool darkMode, const QColor& selectionColor)
{
    if (selected)
        return invertedSelectColor(selectionColor);
    return darkMode ? QColor(Qt::white) : QColor(Qt::black);
}

QColor NJFormatCellView::exportFormatColor(bool selected, bool darkMode)
{
    if (selected)
        return QColor(Qt::white);
    return darkMode ? QColor::fromRgbF(1, 1, 1, 0.55f) : QColor::fromRgbF(0, 0, 0, 0.45f);
}

void NJFormatCellView::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const NJSearchArrayController* controller = m_table ? m_table->contentController() : nullptr;
    paintRow(painter, option,
             controller ? controller->currentObjectAtIndex(static_cast<std::size_t>(index.row())) : std::nullopt);
}

void NJFormatCellView::paintRow(QPainter* painter, const QStyleOptionViewItem& option,
                                const std::optional<QVFormatDefinition>& row) const
{
    const bool selected = isSelected(row) && option.state.testFlag(QStyle::State_Selected);
    const bool dark = themecolors::darkMode();
    const QColor selectionColor = option.palette.color(QPalette::Active, QPalette::Highlight);
    const QRect rect = option.rect;

    painter->save();
    // Without vibrancy the view draws no highlight of its own: the row paints it.
    if (selected)
        painter->fillRect(rect, selectionColor);
    const QPixmap icon = namedImage(formatImageName(row));
    if (!icon.isNull()) {
        const QRect iconFrame(rect.left() + kIconMargin, rect.top() + (rect.height() - kIconSide) / 2, kIconSide,
                              kIconSide);
        const QSize size = icon.size().scaled(iconFrame.size(), Qt::KeepAspectRatio);
        painter->drawPixmap(QRect(iconFrame.x() + (iconFrame.width() - size.width()) / 2,
                                  iconFrame.y() + (iconFrame.height() - size.height()) / 2, size.width(), size.height()),
                            icon);
    }

    QFont nameFont = QApplication::font();
    QFont valueFont = nameFont;
    valueFont.setPixelSize(QFontInfo(nameFont).pixelSize() - 1);
    const QRect text(rect.left() + kTextLeft, rect.top(), rect.width() - kTextLeft - kTextRightMargin, rect.height());
    const QRect nameRect(text.left(), text.top() + 2, text.width(), text.height() / 2 - 2);
    const QRect valueRect(text.left(), text.center().y(), text.width(), text.height() / 2 - 2);
    painter->setFont(nameFont);
    painter->setPen(formatNameColor(selected, dark, selectionColor));
    painter->drawText(nameRect, Qt::AlignLeft | Qt::AlignVCenter,
                      row ? QString::fromStdString(row->name()) : QString());
    painter->setFont(valueFont);
    painter->setPen(exportFormatColor(selected, dark));
    painter->drawText(valueRect, Qt::AlignLeft | Qt::AlignVCenter,
                      painter->fontMetrics().elidedText(formatValue(row).simplified(), Qt::ElideRight, valueRect.width()));

    if (selected && imageHidden(row)) {
        painter->setFont(nameFont);
        painter->setPen(option.palette.color(QPalette::Active, QPalette::HighlightedText));
        const QString glyph = QString::fromUtf8(kReturnGlyph);
        const QRect glyphRect = painter->fontMetrics().boundingRect(glyph);
        painter->drawText(QPoint(rect.left() + kReturnGlyphX,
                                 rect.top() + rect.height() / 2 - glyphRect.height() / 2 + painter->fontMetrics().ascent()),
                          glyph);
    }
    painter->restore();
}

QSize NJFormatCellView::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const
{
    return {option.rect.width(), m_table ? m_table->rowHeight() : 40};
}
