#pragma once

#include "QVCodeStyle.h"
#include "QVTemplateCache.h"
#include "QVTemplateEnvironment.h"

#include "formats/QVFormatDefinition.h"
#include "formats/color/Color.h"
#include "foundation/Dictionary.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QVColorNameTable;
struct QVProcessorState;
class RunningApplications;
class UserDefaults;

// Turns a colour and a format into code text. Keeps one template environment with the
// symbols, the colour filters, the user's code style, the colour in the format's
// profile and the current format, and renders template texts against it.
// Set the format before the colour, or use the combined update.
class QVFormatProcessor final {
public:
    // Rendering raised instead of failing: the template text, then the reason.
    static constexpr const char* kFormatErrorText = "Error in format: %@ – %@";

    // Running applications come from /proc unless another source is given.
    explicit QVFormatProcessor(std::shared_ptr<const RunningApplications> applications = nullptr);
    ~QVFormatProcessor();
    QVFormatProcessor(const QVFormatProcessor&) = delete;
    QVFormatProcessor& operator=(const QVFormatProcessor&) = delete;

    static const std::vector<std::string>& supportedColorProfiles();
    // The CSS colour names, shared by every processor.
    static const QVColorNameTable& loadW3CNames();

    // The style under "codeStyle" in these settings.
    void applyPreferences(const UserDefaults& defaults);
    // The style laid over the built-in one; nil restores the built-in style.
    void applyCodeStyle(const Value& style);
    // The colour in every profile; the current profile's colour becomes "color".
    void updateColorValuesWithColor(const Color& color);
    // The format and its profile become current.
    void updateFormatParameters(const QVFormatDefinition& format);
    void updateColorValuesWithColor(const Color& color, const std::optional<QVFormatDefinition>& format);

    // The rendered text; nullopt, with the engine's error, when the template does not
    // compile or rendering fails. A template that raises renders as kFormatErrorText.
    std::optional<std::string> renderFormat(const std::string& templateText, Error* error = nullptr) const;

    std::shared_ptr<const QVTemplateEnvironment> environment() const;
    const QVCodeStyle& initialCodeStyle() const { return *m_initialCodeStyle; }
    const Dictionary& symbols() const;
    const Dictionary& colorValues() const;
    const std::string& currentProfile() const { return m_currentProfile; }

private:
    void initializeEnvironment();
    void setEnvironment(std::shared_ptr<const QVTemplateEnvironment> environment);
    // Adds "colorProfile" and "color" for the current profile in this colour table.
    void addCurrentColorEntries(const Value& colorValues, std::vector<Dictionary::Entry>& entries);
    // Computes the colour in every profile and swaps in an environment with it and `entries`.
    void takeColor(const Color& color, std::vector<Dictionary::Entry> entries);

    std::shared_ptr<QVProcessorState> m_state;
    std::shared_ptr<const QVCodeStyle> m_initialCodeStyle;
    Value m_colorValues;
    // The colour m_colorValues were converted from; none before the first.
    std::optional<Color> m_convertedColor;
    std::string m_currentProfile;
    // m_currentProfile as a value, made again only when the profile changes.
    Value m_currentProfileValue;
    mutable QVTemplateCache m_templates;
};
