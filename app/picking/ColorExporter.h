#pragma once

#include "formats/QVFormatDefinition.h"
#include "formats/color/Color.h"

#include <QImage>
#include <QSize>

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

class QVFormatProcessor;
class ScriptRunner;

// Renders a colour in a format and delivers the text: to the clipboard with the
// colour, to the script runner, or, in command-line mode, to the output stream,
// after which the process ends.
class ColorExporter final {
public:
    using Terminate = std::function<void(int status)>;

    // The mime type the colour travels under beside the text.
    static constexpr const char* kColorMimeType = "application/x-color";
    // Command-line mode: a text was printed, or none was (no text, or the output failed).
    static constexpr int kPrintedStatus = 0;
    static constexpr int kNothingPrintedStatus = 1;

    ColorExporter(std::ostream& output, Terminate terminate);

    // The exported text when it went out; nullopt when there is no processor, the
    // format has no text for the colour or its target failed.
    std::optional<std::string> exportColor(QVFormatProcessor* processor, ScriptRunner& runner, const Color& color,
                                           const QVFormatDefinition& format, bool commandLineMode);

    static void copyStringToClipboard(const std::string& text, const std::optional<Color>& color);
    // Backslash-n sequences become line breaks first.
    static bool executeOSAScript(ScriptRunner& runner, const std::string& source);

    // The banner's swatch: the colour over the whole image and a half-transparent
    // black outline.
    static QImage bannerImage(const Color& color, const QSize& size);

private:
    void print(const std::optional<std::string>& text) const;

    std::ostream& m_output;
    Terminate m_terminate;
};
