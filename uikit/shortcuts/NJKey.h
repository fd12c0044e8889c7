#pragma once

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QString>
#include <QWidget>

#include <cstdint>

class QPainter;

// One keyboard key cap: a light rounded cap with the key's glyph or name on it.
class NJKey : public QWidget {
    Q_OBJECT
public:
    // How a cap's text is drawn.
    struct TextAttributes {
        QFont font;
        QColor foreground;
        QPointF shadowOffset;
        QColor shadowColor;
    };

    explicit NJKey(QWidget* parent = nullptr);
    NJKey(const QString& string, QWidget* parent);
    NJKey(std::uint16_t keyCode, QWidget* parent);

    // The modifier caps by their names in any case ("ctl", "ctrl", "control", "cmd",
    // "command", "opt", "option", "shift"), else a plain cap of the lower-cased name.
    static NJKey* keyFromString(const QString& string, QWidget* parent = nullptr);
    // The modifier caps by their keys' codes, else a plain cap of the code.
    static NJKey* keyFromCode(std::uint16_t keyCode, QWidget* parent = nullptr);

    virtual bool isModifierKey() const { return false; }
    virtual unsigned long modifierFlag() const { return 0; }
    // The key's name in lower case, and the text drawn on the cap.
    virtual QString stringValue() const { return m_stringValue; }
    void setStringValue(const QString& value) { m_stringValue = value; }
    virtual QString prettyStringValue() const { return m_prettyStringValue; }
    void setPrettyStringValue(const QString& value) { m_prettyStringValue = value; }
    std::uint16_t keyCode() const { return m_keyCode; }
    // Lit by the recorder; drawing does not depend on it.
    bool active() const { return m_active; }
    void setActive(bool active) { m_active = active; }

    // Each word with its first letter in upper case and the rest in lower case.
    static QString capitalized(const QString& string);
    static const TextAttributes& textAttributes();
    static const TextAttributes& largeTextAttributes();
    static void drawKeyBackground(QPainter& painter, const QRectF& rect);
    // The width at which the cap's text fits inside its border, at least `side`.
    int fittingWidth(int side) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_stringValue;
    QString m_prettyStringValue;
    std::uint16_t m_keyCode = 0;
    bool m_active = false;
};
