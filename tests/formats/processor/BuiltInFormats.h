#pragma once

#include "formats/QVFormatDefinition.h"
#include "foundation/Bundle.h"
#include "foundation/PropertyList.h"

#include <vector>

// The format definitions of a bundle list ("ExportFormats", "DisplayFormats").
inline std::vector<QVFormatDefinition> readBuiltInFormats(const char* resource)
{
    std::vector<QVFormatDefinition> formats;
    const auto path = Bundle::main().pathForResource(resource, "plist");
    const Value list = path ? propertylist::readFile(*path) : Value();
    if (const auto* entries = list.array())
        for (const Value& entry : *entries)
            if (const Dictionary* definition = entry.dictionary())
                formats.emplace_back(*definition);
    return formats;
}
