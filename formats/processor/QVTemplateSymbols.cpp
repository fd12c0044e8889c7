#include "QVTemplateSymbols.h"

#include <string>

namespace {

// A model's symbol: each component name maps to "model.component".
Value componentPaths(const std::string& model, std::initializer_list<const char*> components)
{
    Dictionary paths;
    for (const char* component : components)
        paths.set(component, Value(model + "." + component));
    return Value(std::move(paths));
}

Dictionary makeSymbols()
{
    Dictionary symbols;
    for (int digit = 0; digit <= 9; ++digit)
        symbols.set(std::to_string(digit), Value::integer(digit));
    symbols.set("true", Value::integer(1));
    symbols.set("TRUE", Value::integer(1));
    symbols.set("false", Value::integer(0));
    symbols.set("FALSE", Value::integer(0));
    symbols.set("rgba", componentPaths("rgba", {"r", "g", "b", "a"}));
    symbols.set("hsla", componentPaths("hsla", {"h", "s", "l", "a"}));
    symbols.set("hsba", componentPaths("hsba", {"h", "s", "b", "a"}));
    symbols.set("cmyka", componentPaths("cmyka", {"c", "m", "y", "k", "a"}));
    symbols.set("lab", componentPaths("lab", {"l", "a", "b", "alpha"}));
    symbols.set("semicolon", Value(";"));
    symbols.set("point", Value("."));
    symbols.set("comma", Value(","));
    symbols.set("commaspace", Value(", "));
    symbols.set("space", Value(" "));
    symbols.set("csv", Value("csv"));
    symbols.set("kvc", Value("kvc"));
    symbols.set("adobe", Value(Dictionary{{"photoshop", Value("Photoshop")}, {"illustrator", Value("Adobe Illustrator")}}));
    return symbols;
}

} // namespace

const Dictionary& QVTemplateSymbols::symbols()
{
    static const Dictionary table = makeSymbols();
    return table;
}
