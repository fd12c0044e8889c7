#pragma once

#include "app/settings/SettingsKey.h"
#include "foundation/Dictionary.h"
#include "foundation/Value.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class UserDefaults;
struct Error;

// Typed access to the user's settings. Every read checks the value against the kind
// the settings table gives its key: a value of another kind is ignored with one log
// line and the registered default is read instead (absent when there is none), so a
// damaged settings file never stops the program. The stored value itself is kept.
class SettingsStore final {
public:
    // The registered defaults in the resources.
    static constexpr const char* kDefaultsResource = "Defaults";

    explicit SettingsStore(UserDefaults& defaults);

    UserDefaults& defaults() const { return m_defaults; }

    // The "Defaults" resource; empty, with a log line, when it is missing or damaged.
    static Dictionary readBundleDefaults();

    bool isStored(const SettingsKey& key) const;
    bool isPresent(const SettingsKey& key) const;

    // nullopt when absent or ignored.
    std::optional<bool> boolean(const SettingsKey& key) const;
    // Doubles are truncated and kept inside the range of long long.
    std::optional<long long> integer(const SettingsKey& key) const;
    // Only finite numbers.
    std::optional<double> real(const SettingsKey& key) const;
    std::optional<std::string> string(const SettingsKey& key) const;
    // Entries that are not strings are skipped with a log line (the first few each,
    // then a count).
    std::optional<std::vector<std::string>> strings(const SettingsKey& key) const;
    // The entries of a list as they are stored, for lists whose entries are checked later.
    std::optional<std::vector<Value>> array(const SettingsKey& key) const;
    std::optional<Dictionary> dictionary(const SettingsKey& key) const;
    std::optional<std::vector<std::uint8_t>> data(const SettingsKey& key) const;

    bool flag(const SettingsKey& key) const { return boolean(key).value_or(false); }

    void set(const SettingsKey& key, Value value);
    // Several keys in one write of the file; true when it was written. A caller that
    // takes the error reports a failure itself.
    bool setAll(const Dictionary& values, Error* error = nullptr);

private:
    // The stored value, else the registered one, of the key's kind; values of another
    // kind are logged and passed over.
    Value checked(const SettingsKey& key, SettingType expected) const;
    void reportIgnored(const SettingsKey& key, const Value& value) const;

    UserDefaults& m_defaults;
};
