#include "ColorExporter.h"

#include "app/picking/ScriptRunner.h"
#include "app/statusmenu/SwatchPainter.h"
#include "formats/QVFormatTarget.h"
#include "formats/processor/QVFormatProcessor.h"
#include "foundation/Error.h"
#include "foundation/Log.h"
#include "foundation/StringUtils.h"

#include <QClipboard>
#include <QColor>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QString>

#include <ostream>

namespace {

constexpr std::string_view kEscapedLineBreak = "\\n";
constexpr char kLineBreak = '\n';
constexpr double kOutlineAlpha = 0.5;
constexpr const char* kOutputFailedLog = "Could not write the colour to the standard output";
constexpr const char* kNoTextLog = "The format \"%@\" gave no text: %@";

std::string withLineBreaks(std::string source)
{
    for (std::size_t at = source.find(kEscapedLineBreak); at != std::string::npos;
         at = source.find(kEscapedLineBreak, at + 1))
        source.replace(at, kEscapedLineBreak.size(), 1, kLineBreak);
    return source;
}

} // namespace

ColorExporter::ColorExporter(std::ostream& output, Terminate terminate)
    : m_output(output)
    , m_terminate(std::move(terminate))
{
}

std::optional<std::string> ColorExporter::exportColor(QVFormatProcessor* processor, ScriptRunner& runner, const Color& color,
                                                      const QVFormatDefinition& format, bool commandLineMode)
{
    std::optional<std::string> text;
    if (processor) {
        processor->updateColorValuesWithColor(color, format);
        Error error;
        text = processor->renderFormat(format.exportFormat(), &error);
        // The user's own formats fail here; the engine tells why.
        if (!text)
            logging::log(strings::format(kNoTextLog, {Value(format.name()), Value(error.message)}));
    }
    if (commandLineMode) {
        print(text);
        return text;
    }
    // Nothing to deliver: the clipboard keeps what it had.
    if (!text)
        return std::nullopt;
    const std::string target = format.target();
    if (target == QVFormatTarget::kClipboard) {
        copyStringToClipboard(*text, color);
        return text;
    }
    if (target == QVFormatTarget::kAppleScript) {
        const std::optional<std::string> script = processor->renderFormat(format.script());
        if (script && executeOSAScript(runner, *script))
            return text;
    }
    return std::nullopt;
}

void ColorExporter::print(const std::optional<std::string>& text) const
{
    bool printed = false;
    if (text) {
        m_output << *text << std::flush;
        // A closed or full output is no success: the caller gets no colour.
        printed = !m_output.fail();
        if (!printed)
            logging::log(kOutputFailedLog);
    }
    if (m_terminate)
        m_terminate(printed ? kPrintedStatus : kNothingPrintedStatus);
}

void ColorExporter::copyStringToClipboard(const std::string& text, const std::optional<Color>& color)
{
    // Only a running application has a clipboard.
    if (!QGuiApplication::instance())
        return;
    QClipboard* clipboard = QGuiApplication::clipboard();
    auto data = std::make_unique<QMimeData>();
    data->setText(QString::fromStdString(text));
    if (color)
        data->setColorData(SwatchPainter::toQColor(*color));
    clipboard->setMimeData(data.release());
}

bool ColorExporter::executeOSAScript(ScriptRunner& runner, const std::string& source)
{
    return runner.execute(withLineBreaks(source));
}

QImage ColorExporter::bannerImage(const Color& color, const QSize& size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return image;
    image.fill(Qt::transparent);
    QPainter painter(&image);
    const QRectF whole(QPointF(0, 0), QSizeF(size));
    SwatchPainter::drawSwatch(painter, color, whole);
    QColor outline(Qt::black);
    outline.setAlphaF(kOutlineAlpha);
    painter.setPen(QPen(outline, 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(whole.adjusted(0.5, 0.5, -0.5, -0.5));
    return image;
}
