#pragma once

#include <optional>
#include <string>
#include <unordered_map>

// CSS colour names by "#RRGGBB" (upper-case hex), from the bundle's extended list
// with the basic list laid over it, so a basic name wins where both have the colour.
class QVColorNameTable final {
public:
    static constexpr const char* kExtendedResource = "W3CNames-Extended";
    static constexpr const char* kBasicResource = "W3CNames-Basic";

    // Read once per process, on first use.
    static const QVColorNameTable& shared();

    // Reads the two resources from the main bundle; a missing one adds nothing.
    QVColorNameTable();

    std::optional<std::string> nameForKey(const std::string& key) const;
    std::size_t size() const { return m_names.size(); }

private:
    void addResource(const char* name);

    std::unordered_map<std::string, std::string> m_names;
};
