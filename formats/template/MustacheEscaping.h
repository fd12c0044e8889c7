#pragma once

#include <string>
#include <string_view>

// The escapers of the engine and of its standard library. Each returns its input
// unchanged when nothing needs replacing.
class MustacheEscaping final {
public:
    // & < > " ' as entities.
    static std::string escapeHTML(const std::string& string);
    // The same, written at the end of `result`.
    static void appendEscapedHTML(std::string& result, std::string_view string);
    // Characters unsafe in a script string as \uXXXX.
    static std::string escapeJavascript(const std::string& string);
    // Percent-escapes everything but unreserved URL characters.
    static std::string escapeURL(const std::string& string);
};
