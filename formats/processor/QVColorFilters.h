#pragma once

#include "QVCodeStyle.h"

#include "foundation/Value.h"

#include <string>
#include <vector>

class Color;
class QVColorNameTable;
class RunningApplications;

// What the colour filters print. Each operation checks its arguments and answers
// its output, or a short error text in place of it; an argument of a kind that no
// check covers raises, as the filters always have.
class QVColorFilters final {
public:
    QVColorFilters(const QVCodeStyle& style, const QVColorNameTable& colorNames, const RunningApplications& applications)
        : m_style(style), m_colorNames(colorNames), m_applications(applications) {}

    // percent, int255, int360: the component scaled to the base.
    std::string filterInteger(const std::vector<Value>& arguments, int base) const;
    std::string filterHex(const std::vector<Value>& arguments) const;
    std::string filterDecimal(const std::vector<Value>& arguments) const;
    std::string filterFraction(const std::vector<Value>& arguments) const;
    std::string filterIntegerRGBA(const std::vector<Value>& arguments, int base) const;
    std::string filterDecimalRGBA(const std::vector<Value>& arguments) const;
    std::string filterHexRGBA(const std::vector<Value>& arguments) const;
    std::string filterHexColor(const std::vector<Value>& arguments) const;
    std::string filterCSSHexColor(const std::vector<Value>& arguments) const;
    std::string filterLabColor(const std::vector<Value>& arguments) const;
    // "," becomes ", " under whiteSpace.csv and ":" becomes ": " under whiteSpace.kvc.
    std::string filterWhiteSpaceSeparator(const std::string& separator) const;
    // A blank before key-value values under whiteSpace.kvc.
    std::string filterKVCValue(const std::string& text) const;
    // The first running application whose name starts with the prefix, else the prefix.
    std::string filterRunningAppVersion(const Value& prefix) const;

    // The list texts: the first `count` components joined by the separator.
    std::string colorAsIntRGBA(const Color& color, long long count, int base, const Value& separator) const;
    std::string colorAsDecimalRGBA(const Color& color, long long count, const Value& separator, bool decorated) const;
    std::string colorAsHexRGBA(const Color& color, long long count, const Value& separator) const;
    std::string colorAsLAB(const Color& color, long long count, const Value& separator) const;

private:
    std::string hexDigits(int value, bool uppercase) const;
    std::string hexPrefix() const;
    std::string decimalOrFraction(double value, bool decorated) const;
    // The given separator, or the style's list separator widened by the separator rule.
    Value separatorArgument(const std::vector<Value>& arguments, std::size_t index, QVCodeStyle::Key fallback) const;

    const QVCodeStyle& m_style;
    const QVColorNameTable& m_colorNames;
    const RunningApplications& m_applications;
};
