#pragma once

#include "Error.h"
#include "Value.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// Property lists through libplist: XML and binary in, XML out.
namespace propertylist {

inline constexpr const char* kErrorDomain = "PropertyListErrorDomain";

// nil and an Error when the bytes are not a property list.
Value read(const std::vector<std::uint8_t>& bytes, Error* error = nullptr);
Value read(const std::string& bytes, Error* error = nullptr);
Value readFile(const std::filesystem::path& path, Error* error = nullptr);

// XML text. nil, Null and objects of other kinds have no property-list form: an
// Error is returned and the text is empty.
std::string writeXml(const Value& value, Error* error = nullptr);
std::vector<std::uint8_t> writeBinary(const Value& value, Error* error = nullptr);

} // namespace propertylist
