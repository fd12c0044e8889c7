#pragma once

#include <string>

class QVCodeStyle;

// Prints colour components as the code style asks: decimals like a number formatter
// with a fixed number of fraction digits, and fractions of 255.
class QVNumberFormatter final {
public:
    explicit QVNumberFormatter(const QVCodeStyle& style) : m_style(style) {}

    // A decorated decimal takes the style's prefix, suffix and leading-zero choice;
    // an undecorated one is a plain number.
    std::string stringForDecimal(double value, bool decorated) const;
    // "128/255.", or "0" and "1" when the style shortens them.
    std::string stringForFraction(double value) const;

    // The value in single precision, rounded half to even to at most maxFraction
    // fraction digits, with at least minFraction fraction and minInteger integer digits.
    static std::string formatDecimal(double value, int maxFraction, int minFraction, int minInteger);

private:
    const QVCodeStyle& m_style;
};
