// Any text read as an XML property list either fails cleanly or gives values whose
// written form reads back to the same written form.
#include "foundation/PropertyListXmlReader.h"
#include "foundation/PropertyListXmlWriter.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Error error;
    const Value value = PropertyListXmlReader::read(text, &error);
    if (!value)
        return 0;
    const std::string written = PropertyListXmlWriter::write(value, &error);
    if (written.empty())
        return 0;
    const Value reread = PropertyListXmlReader::read(written, &error);
    if (!reread || PropertyListXmlWriter::write(reread, &error) != written)
        std::abort();
    return 0;
}
