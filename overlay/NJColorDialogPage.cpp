#include "NJColorDialogPage.h"

#include <QApplication>
#include <QBoxLayout>
#include <QColorDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>


namespace {

// The least room of the spectrum: as small as the page may squeeze it when larger fonts
// make the fields below it taller.
constexpr QSize kLeastSpectrum(260, 60);
constexpr int kBrightnessWidth = 20;

// Qt's dialog closes itself on Escape and Return; embedded, those keys belong to the
// window that hosts it.
class EmbeddedColorDialog final : public QColorDialog {
public:
    explicit EmbeddedColorDialog(QWidget* parent)
        : QColorDialog(parent)
    {
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        switch (event->key()) {
        case Qt::Key_Escape:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            event->ignore();
            return;
        default:
            QColorDialog::keyPressEvent(event);
        }
    }
};

} // namespace

NJColorDialogPage::NJColorDialogPage(Section section, QWidget* parent)
    : NJColorPage(parent)
    , m_dialog(new EmbeddedColorDialog(this))
{
    setObjectName(section == Spectrum ? QStringLiteral("colorSpectrumPage") : QStringLiteral("colorPalettesPage"));
    m_dialog->setWindowFlags(Qt::Widget);
    m_dialog->setOptions(QColorDialog::NoButtons | QColorDialog::DontUseNativeDialog | QColorDialog::ShowAlphaChannel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_dialog);
    trim(section);
    connect(m_dialog, &QColorDialog::currentColorChanged, this, [this](const QColor& color) { emit colorEdited(color); });
}

void NJColorDialogPage::trim(Section section)
{
    const QString pick = QColorDialog::tr("&Pick Screen Color");
    QWidget* spectrumView = nullptr;
    for (QWidget* child : m_dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (auto* button = qobject_cast<QPushButton*>(child); button && button->text() == pick) {
            m_pickScreenColor = button;
            button->hide();
            continue;
        }
        const bool wells = child->inherits("QWellArray") || child->inherits("QPushButton")
            || (child->inherits("QLabel") && !static_cast<QLabel*>(child)->text().isEmpty());
        const bool spectrum = child->inherits("QColorPicker") || child->inherits("QColorLuminancePicker")
            || child->inherits("QColorShower");
        // The empty label reports the pointer while Qt picks from the screen: we never do.
        const bool screenInfo = child->inherits("QLabel") && static_cast<QLabel*>(child)->text().isEmpty();
        if (screenInfo || (section == Spectrum && wells) || (section == Palettes && spectrum))
            child->hide();
        // The spectrum takes the room the page has beside its brightness strip, which
        // follows its height.
        if (child->inherits("QColorPicker")) {
            spectrumView = child;
            child->setMinimumSize(kLeastSpectrum);
            child->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
            child->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        } else if (child->inherits("QColorLuminancePicker")) {
            child->setMinimumSize(kBrightnessWidth, kLeastSpectrum.height());
            child->setMaximumSize(kBrightnessWidth, QWIDGETSIZE_MAX);
            child->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        }
    }
    m_dialog->setMinimumSize(0, 0);
    if (section != Spectrum)
        return;
    // Qt keeps the dialog at its size hint, with stretches beside and below the
    // spectrum: it follows the page instead, and every layout around the spectrum gives
    // it the room the stretches would take.
    m_dialog->layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
    for (QLayout* column : m_dialog->findChildren<QLayout*>()) {
        if (column->indexOf(spectrumView) < 0)
            continue;
        for (QLayout* inner = column; auto* outer = qobject_cast<QBoxLayout*>(inner->parent()); inner = outer)
            outer->setStretch(outer->indexOf(inner), 1);
    }
}

void NJColorDialogPage::setColor(const QColor& color)
{
    const QSignalBlocker blocker(m_dialog);
    // Qt's dialog gives the keyboard to a well that holds the colour, on a page out of
    // sight too: a colour set from elsewhere leaves the keys where they were.
    const QPointer<QWidget> focus = QApplication::focusWidget();
    m_dialog->setCurrentColor(color);
    if (focus && QApplication::focusWidget() != focus)
        focus->setFocus();
}

void NJColorDialogPage::setShowsAlpha(bool shows)
{
    const QSignalBlocker blocker(m_dialog);
    m_dialog->setOption(QColorDialog::ShowAlphaChannel, shows);
}
