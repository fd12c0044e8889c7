#pragma once

#include "overlay/NJColorPage.h"

class QColorDialog;
class QPushButton;

// Qt's colour dialog as a page, without buttons or a window of its own, in one of two
// sections: the spectrum with its fields, or the basic and custom colour wells.
class NJColorDialogPage final : public NJColorPage {
    Q_OBJECT
public:
    enum Section { Spectrum, Palettes };

    explicit NJColorDialogPage(Section section, QWidget* parent = nullptr);

    void setColor(const QColor& color) override;
    void setShowsAlpha(bool shows) override;

    QColorDialog* dialog() const { return m_dialog; }
    // The dialog's screen-colour button; its owner may move it out of the dialog.
    QPushButton* pickScreenColorButton() const { return m_pickScreenColor; }

private:
    void trim(Section section);

    QColorDialog* m_dialog = nullptr;
    QPushButton* m_pickScreenColor = nullptr;
};
