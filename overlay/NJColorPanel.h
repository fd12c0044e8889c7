#pragma once

#include <QColor>
#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QString>

#include <vector>

class NJColorPage;
class QAbstractButton;
class QStackedWidget;
class QWidget;

// One item of the panel's toolbar: it shows one page.
struct NJColorPanelToolbarItem {
    QString identifier;
    QString toolTip;
    QIcon image;
};

// The process's one colour panel: Qt's colour dialog for what it offers and our own
// pages for the rest, one page per toolbar item. It never shows as a window of its
// own; the overlay's editor borrows its content view and hands it back.
class NJColorPanel final : public QObject {
    Q_OBJECT
public:
    // Picker modes; the mask has bit 1 << mode for each.
    enum Mode { Gray = 0, RGB = 1, CMYK = 2, HSB = 3, CustomPalette = 4, ColorList = 5, Wheel = 6, Crayon = 7 };
    static constexpr unsigned kAllModesMask = 0xFFFF;
    static constexpr int kWidth = 480;
    static constexpr int kHeight = 400;

    static NJColorPanel& sharedColorPanel();
    static bool sharedColorPanelExists();
    // Which pickers the panel offers; applies to the panel made next and to the one in use.
    static void setPickerMask(unsigned mask);
    static unsigned pickerMask();

    ~NJColorPanel() override;

    // The panel's own window, never shown: the content view's home between borrowings.
    QWidget* window() const { return m_window; }
    QWidget* contentView() const { return m_content; }
    // Takes the content view back into the panel's window.
    void setContentView(QWidget* view);

    // The items of the modes the mask lets through, in toolbar order.
    std::vector<NJColorPanelToolbarItem> toolbarItems() const;
    QString selectedItemIdentifier() const;
    // The item's action: shows its page.
    void performToolbarItem(const NJColorPanelToolbarItem& item);
    int mode() const;
    void setMode(int mode);
    QWidget* currentPage() const;

    QColor color() const { return m_color; }
    // Sets the colour from code: every page follows, nothing is reported.
    void setColor(const QColor& color);
    bool showsAlpha() const { return m_showsAlpha; }
    void setShowsAlpha(bool shows);
    // The magnifier: takes a colour from the screen.
    QAbstractButton* magnifierButton() const { return m_magnifier; }

signals:
    // The panel's action: every change the user makes, each step of a drag included.
    void colorChanged();

private:
    explicit NJColorPanel(QObject* parent);
    void addPage(NJColorPage* page, const QString& identifier, const QString& toolTip, std::vector<int> modes);
    void pageEdited(NJColorPage* source, const QColor& color);

    struct Page {
        NJColorPage* page;
        NJColorPanelToolbarItem item;
        std::vector<int> modes;
    };

    QWidget* m_window = nullptr;
    QPointer<QWidget> m_content;
    QStackedWidget* m_pages = nullptr;
    QAbstractButton* m_magnifier = nullptr;
    std::vector<Page> m_pageList;
    QColor m_color = Qt::white;
    bool m_showsAlpha = true;
};
