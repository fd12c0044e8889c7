#pragma once

#include "Error.h"
#include "Value.h"

#include <string>

// XML property-list text written straight from values, in the layout libplist writes,
// without building a second tree of the whole document.
class PropertyListXmlWriter final {
public:
    // Empty, with the Error set, when something inside has no property-list form.
    static std::string write(const Value& value, Error* error);

private:
    explicit PropertyListXmlWriter(Error* error) : m_error(error) {}

    bool writeValue(const Value& value, int depth);
    bool writeNumber(const Value& value);
    void writeData(const std::vector<std::uint8_t>& bytes, int depth);
    bool writeText(const char* tag, const std::string& text);
    void indent(int depth);
    bool fail(std::string message);

    Error* m_error;
    std::string m_out;
};
