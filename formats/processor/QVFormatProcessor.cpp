#include "QVFormatProcessor.h"

#include "ProcRunningApplications.h"
#include "QVColorFilters.h"
#include "QVColorNameTable.h"
#include "QVTemplateSymbols.h"

#include "formats/QVColorProfile.h"
#include "formats/template/MustacheFilter.h"
#include "formats/template/MustacheTemplate.h"
#include "foundation/Exception.h"
#include "foundation/StringUtils.h"
#include "foundation/UserDefaults.h"

#include <atomic>
#include <functional>

namespace {

constexpr const char* kNotFoundProfile = "not-found";

using Arguments = std::vector<Value>;

} // namespace

// What the filters share with their processor; they outlive it only as inert objects.
struct QVProcessorState {
    std::atomic<std::shared_ptr<const QVTemplateEnvironment>> environment;
    std::shared_ptr<const RunningApplications> applications;
};

namespace {

// Runs an operation with the filters of the processor's current code style; nil once
// the processor is gone.
class FilterContext {
public:
    explicit FilterContext(std::weak_ptr<QVProcessorState> state) : m_state(std::move(state)) {}

    template <class Operation> Value operator()(const Operation& operation) const
    {
        const auto state = m_state.lock();
        if (!state)
            return Value();
        const auto environment = state->environment.load();
        return Value(operation(QVColorFilters(environment->codeStyle(), QVColorNameTable::shared(), *state->applications)));
    }

private:
    std::weak_ptr<QVProcessorState> m_state;
};

Dictionary makeFilters(const std::weak_ptr<QVProcessorState>& state)
{
    const FilterContext run(state);
    const auto variadic = [run](std::function<std::string(const QVColorFilters&, const Arguments&)> operation) {
        return MustacheFilter::variadicFilterWithBlock([run, operation](const Arguments& arguments) {
            return run([&](const QVColorFilters& filters) { return operation(filters, arguments); });
        });
    };
    const auto kvc = [variadic](std::function<std::string(const QVColorFilters&, const Arguments&)> operation) {
        return variadic([operation](const QVColorFilters& filters, const Arguments& arguments) {
            return filters.filterKVCValue(operation(filters, arguments));
        });
    };
    // One-value filters work on the value's description; a missing value gives nil.
    const auto described = [run](std::function<std::string(const QVColorFilters&, const std::string&)> operation) {
        return MustacheFilter::filterWithBlock([run, operation](const Value& value) {
            if (value.isNil())
                return Value();
            return run([&](const QVColorFilters& filters) { return operation(filters, value.description()); });
        });
    };
    const auto integer = [](int base) {
        return [base](const QVColorFilters& filters, const Arguments& arguments) { return filters.filterInteger(arguments, base); };
    };
    const auto hex = [](const QVColorFilters& filters, const Arguments& arguments) { return filters.filterHex(arguments); };
    const auto decimal = [](const QVColorFilters& filters, const Arguments& arguments) { return filters.filterDecimal(arguments); };
    const auto fraction = [](const QVColorFilters& filters, const Arguments& arguments) { return filters.filterFraction(arguments); };

    Dictionary filters;
    filters.set("percent", variadic(integer(100)));
    filters.set("int255", variadic(integer(255)));
    filters.set("int360", variadic(integer(360)));
    filters.set("hex", variadic(hex));
    filters.set("decimal", variadic(decimal));
    filters.set("fraction", variadic(fraction));
    filters.set("separator", described([](const QVColorFilters& f, const std::string& text) { return f.filterWhiteSpaceSeparator(text); }));
    filters.set("kvcValue", described([](const QVColorFilters& f, const std::string& text) { return f.filterKVCValue(text); }));
    filters.set("kvcPercent", kvc(integer(100)));
    filters.set("kvcInt255", kvc(integer(255)));
    filters.set("kvcInt360", kvc(integer(360)));
    filters.set("kvcHex", kvc(hex));
    filters.set("kvcFraction", kvc(fraction));
    filters.set("kvcDecimal", kvc(decimal));
    filters.set("int255RGBA", variadic([](const QVColorFilters& f, const Arguments& a) { return f.filterIntegerRGBA(a, 255); }));
    filters.set("decimalRGBA", variadic([](const QVColorFilters& f, const Arguments& a) { return f.filterDecimalRGBA(a); }));
    filters.set("hexRGBA", variadic([](const QVColorFilters& f, const Arguments& a) { return f.filterHexRGBA(a); }));
    filters.set("hexColor", variadic([](const QVColorFilters& f, const Arguments& a) { return f.filterHexColor(a); }));
    filters.set("csshexColor", variadic([](const QVColorFilters& f, const Arguments& a) { return f.filterCSSHexColor(a); }));
    filters.set("labColor", variadic([](const QVColorFilters& f, const Arguments& a) { return f.filterLabColor(a); }));
    filters.set("uppercase", described([](const QVColorFilters&, const std::string& text) { return strings::uppercase(text); }));
    filters.set("lowercase", described([](const QVColorFilters&, const std::string& text) { return strings::lowercase(text); }));
    filters.set("concat", MustacheFilter::variadicFilterWithBlock([](const Arguments& arguments) {
        std::string text;
        for (const Value& argument : arguments)
            text += argument.description();
        return Value(std::move(text));
    }));
    filters.set("runningAppVersion", MustacheFilter::filterWithBlock([run](const Value& value) {
        return run([&](const QVColorFilters& f) { return f.filterRunningAppVersion(value); });
    }));
    return filters;
}

Value transparentBlack()
{
    return Color().toValue();
}

} // namespace

QVFormatProcessor::QVFormatProcessor(std::shared_ptr<const RunningApplications> applications)
    : m_state(std::make_shared<QVProcessorState>())
{
    m_state->applications = applications ? std::move(applications) : std::make_shared<ProcRunningApplications>();
    initializeEnvironment();
}

QVFormatProcessor::~QVFormatProcessor() = default;

const std::vector<std::string>& QVFormatProcessor::supportedColorProfiles()
{
    return QVColorProfile::supportedColorProfiles();
}

const QVColorNameTable& QVFormatProcessor::loadW3CNames()
{
    return QVColorNameTable::shared();
}

const Dictionary& QVFormatProcessor::symbols() const
{
    return QVTemplateSymbols::symbols();
}

void QVFormatProcessor::initializeEnvironment()
{
    m_initialCodeStyle = std::make_shared<const QVCodeStyle>();
    const Value black = transparentBlack();
    m_colorValues = Value(Dictionary{{QVColorProfile::kSRGB, black}, {QVColorProfile::kLinearSRGB, black},
        {QVColorProfile::kDevice, black}, {QVColorProfile::kCalibrated, black}});

    auto constants = std::make_shared<Dictionary>(symbols());
    for (const auto& [name, filter] : makeFilters(std::weak_ptr<QVProcessorState>(m_state)))
        constants->set(name, filter);
    Dictionary entries{{QVTemplateEnvironment::kColorProfileKey, Value(QVColorProfile::kSRGB)},
        {QVTemplateEnvironment::kColorKey, black},
        {QVTemplateEnvironment::kColorValuesKey, m_colorValues}};
    setEnvironment(std::make_shared<const QVTemplateEnvironment>(std::move(constants), std::move(entries), m_initialCodeStyle));
}

void QVFormatProcessor::setEnvironment(std::shared_ptr<const QVTemplateEnvironment> environment)
{
    m_state->environment.store(std::move(environment));
}

std::shared_ptr<const QVTemplateEnvironment> QVFormatProcessor::environment() const
{
    return m_state->environment.load();
}

const Dictionary& QVFormatProcessor::colorValues() const
{
    return *m_colorValues.dictionary();
}

void QVFormatProcessor::applyPreferences(const UserDefaults& defaults)
{
    applyCodeStyle(defaults.objectForKey(QVCodeStyle::kSettingsKey));
}

void QVFormatProcessor::applyCodeStyle(const Value& style)
{
    auto merged = std::make_shared<const QVCodeStyle>(QVCodeStyle::merged(style));
    setEnvironment(environment()->withCodeStyle(std::move(merged)));
}

void QVFormatProcessor::addCurrentColorEntries(const Value& colorValues, std::vector<Dictionary::Entry>& entries)
{
    // A profile without a colour shows as "not-found" with transparent black.
    const Dictionary* table = colorValues.dictionary();
    const Value* color = table ? table->find(m_currentProfile) : nullptr;
    if (!color || !*color) {
        entries.emplace_back(QVTemplateEnvironment::kColorProfileKey, Value(kNotFoundProfile));
        entries.emplace_back(QVTemplateEnvironment::kColorKey, transparentBlack());
        return;
    }
    if (!m_currentProfileValue || *m_currentProfileValue.string() != m_currentProfile)
        m_currentProfileValue = Value(m_currentProfile);
    entries.emplace_back(QVTemplateEnvironment::kColorProfileKey, m_currentProfileValue);
    entries.emplace_back(QVTemplateEnvironment::kColorKey, *color);
}

void QVFormatProcessor::takeColor(const Color& color, std::vector<Dictionary::Entry> entries)
{
    // Every format of a row or of the overlay takes the same colour: convert it once.
    if (!m_convertedColor || !m_convertedColor->isEqual(color)) {
        const Color sRGB = color.getColorInColorSpace(ColorSpace::SRGB);
        const Value sRGBValue = sRGB.toValue();
        m_colorValues = Value(Dictionary{{QVColorProfile::kSRGB, sRGBValue},
            {QVColorProfile::kLinearSRGB, sRGB.getasLinearRGBColor().toValue()},
            {QVColorProfile::kDevice, sRGBValue},
            {QVColorProfile::kCalibrated, sRGB.colorUsingColorSpace(ColorSpace::CalibratedRGB).toValue()},
            {QVColorProfile::kGeneric, sRGB.colorUsingColorSpace(ColorSpace::GenericRGB).toValue()}});
        m_convertedColor = color;
    }
    if (m_currentProfile.empty())
        m_currentProfile = QVColorProfile::kSRGB;

    addCurrentColorEntries(m_colorValues, entries);
    entries.emplace_back(QVTemplateEnvironment::kColorValuesKey, m_colorValues);
    setEnvironment(environment()->with(std::move(entries)));
}

void QVFormatProcessor::updateColorValuesWithColor(const Color& color)
{
    std::vector<Dictionary::Entry> entries;
    entries.reserve(3);
    takeColor(color, std::move(entries));
}

void QVFormatProcessor::updateFormatParameters(const QVFormatDefinition& format)
{
    m_currentProfile = format.colorProfile();
    const auto current = environment();
    std::vector<Dictionary::Entry> entries;
    entries.reserve(3);
    addCurrentColorEntries(current->get(QVTemplateEnvironment::kColorValuesKey), entries);
    entries.emplace_back(QVTemplateEnvironment::kFormatKey, format.value());
    setEnvironment(current->with(std::move(entries)));
}

void QVFormatProcessor::updateColorValuesWithColor(const Color& color, const std::optional<QVFormatDefinition>& format)
{
    if (!format) {
        updateColorValuesWithColor(color);
        return;
    }
    // The format and the colour in one update, as the format first and then the colour.
    m_currentProfile = format->colorProfile();
    std::vector<Dictionary::Entry> entries;
    entries.reserve(4);
    entries.emplace_back(QVTemplateEnvironment::kFormatKey, format->value());
    takeColor(color, std::move(entries));
}

std::optional<std::string> QVFormatProcessor::renderFormat(const std::string& templateText, Error* error) const
{
    try {
        const auto compiled = m_templates.templateFromString(templateText, error);
        if (!compiled)
            return std::nullopt;
        return compiled->renderObject(Value(std::shared_ptr<const Object>(environment())), error);
    } catch (const Exception& exception) {
        return strings::format(kFormatErrorText, {Value(templateText), Value(exception.reason())});
    } catch (const std::exception& exception) {
        return strings::format(kFormatErrorText, {Value(templateText), Value(exception.what())});
    }
}
