#pragma once

#include "foundation/Value.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

// The user's code style: group -> key -> value, where values are numbers (flags read
// as booleans) or strings. The built-in style is both the default and the list of
// keys that exist; only those are ever taken from a stored style.
class QVCodeStyle final {
public:
    enum class Key : std::size_t {
        DecimalUseFractions,
        DecimalPrefix,
        DecimalUsePrefix,
        DecimalSuffix,
        DecimalUseSuffix,
        DecimalRemoveLeadingZero,
        DecimalRemoveTrailingZeroes,
        DecimalPrecision,
        DecimalShortenOneAndZero,
        DecimalListSeparator,
        IntListSeparator,
        HexPrefix,
        HexUsePrefix,
        HexUseUppercase,
        HexListSeparator,
        CssUseUppercase,
        CssUseHexShorthand,
        CssUseW3CNames,
        WhiteSpaceCsv,
        WhiteSpaceKvc,
    };
    static constexpr std::size_t kKeyCount = static_cast<std::size_t>(Key::WhiteSpaceKvc) + 1;

    // The settings key the style is stored under.
    static constexpr const char* kSettingsKey = "codeStyle";

    // The built-in style.
    QVCodeStyle();

    // The stored style laid over the built-in one. A group that is not a dictionary
    // and a value of the wrong kind for its key are ignored with a log line; nil
    // gives the built-in style.
    static QVCodeStyle merged(const Value& stored);

    // "decimal.precision" and the rest, in table order.
    static std::string keyPath(Key key);
    static const std::vector<std::string>& keyPaths();

    bool flag(Key key) const;
    long long integer(Key key) const;
    const std::string& string(Key key) const;
    const Value& value(Key key) const { return m_values[static_cast<std::size_t>(key)]; }

    // The nested dictionary templates see under "codeStyle".
    Value dictionaryValue() const;

private:
    std::array<Value, kKeyCount> m_values;
};
