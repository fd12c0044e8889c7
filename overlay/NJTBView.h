#pragma once

#include <QPointer>
#include <QToolButton>
#include <QWidget>

// One tab of the editor's tab bar: a borderless button, and a rounded fill behind it
// while selected.
class NJTBView final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 36;
    static constexpr int kButtonHeight = 25;
    // The button's distance from the bottom edge.
    static constexpr int kButtonBottom = 6;
    static constexpr double kRadius = 5;

    explicit NJTBView(const QRect& frame, QWidget* parent = nullptr);

    QToolButton* button() const { return m_button; }
    bool selected() const { return m_selected; }
    void setSelected(bool selected) { m_selected = selected; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QPointer<QToolButton> m_button;
    bool m_selected = false;
};
