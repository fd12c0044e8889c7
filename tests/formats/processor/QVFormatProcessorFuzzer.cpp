#include "FakeRunningApplications.h"

#include "formats/processor/QVCodeStyle.h"
#include "formats/processor/QVFormatProcessor.h"
#include "formats/template/MustacheConfiguration.h"
#include "foundation/Dictionary.h"
#include "foundation/Log.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

// An input is a fixed header and the template text after it:
//   byte 0      the colour's space
//   bytes 1-4   its four components
//   byte 5      the format's colour profile
//   bytes 6-17  four code-style entries of three bytes: key path, kind, value
//   the rest    the template text
// A short input reads as zeros past its end.

namespace {

constexpr std::size_t kStyleEntries = 4;

class InputReader {
public:
    InputReader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    std::uint8_t next() { return m_position < m_size ? m_data[m_position++] : 0; }

    std::string rest() const
    {
        if (m_position >= m_size)
            return {};
        return std::string(reinterpret_cast<const char*>(m_data + m_position), m_size - m_position);
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_position = 0;
};

// Most bytes are components near 0..1; the top of the range is the values no
// picker yields but a colour can still hold.
double componentFrom(std::uint8_t byte)
{
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    static const std::array<double, 16> special{std::numeric_limits<double>::quiet_NaN(), kInfinity, -kInfinity, -1.0,
        2.0, 1e300, -1e300, std::numeric_limits<double>::denorm_min(), -0.0, 254.5 / 255.0, 0.5 / 255.0, 1e10, -1e10,
        3.4e38, 4e38, -4e38};
    constexpr std::uint8_t kFirstSpecial = 240;
    if (byte >= kFirstSpecial)
        return special[byte - kFirstSpecial];
    return (byte - 20) / 200.0;
}

Color colorFrom(InputReader& input)
{
    const std::uint8_t space = input.next();
    std::array<double, 4> c{};
    for (double& component : c)
        component = componentFrom(input.next());
    switch (space % 7) {
    case 0:
        return Color::sRGB(c[0], c[1], c[2], c[3]);
    case 1:
        return Color::rgb(ColorSpace::LinearSRGB, c[0], c[1], c[2], c[3]);
    case 2:
        return Color::rgb(ColorSpace::GenericRGB, c[0], c[1], c[2], c[3]);
    case 3:
        return Color::rgb(ColorSpace::CalibratedRGB, c[0], c[1], c[2], c[3]);
    case 4:
        return Color::rgb(ColorSpace::DeviceRGB, c[0], c[1], c[2], c[3]);
    case 5:
        return Color::cmyk(c[0], c[1], c[2], c[3]);
    default:
        return Color::gray(c[0], c[3]);
    }
}

std::string profileFrom(std::uint8_t byte)
{
    const auto& profiles = QVFormatProcessor::supportedColorProfiles();
    const std::size_t choice = byte % (profiles.size() + 2);
    if (choice < profiles.size())
        return profiles[choice];
    return choice == profiles.size() ? "not-a-profile" : "";
}

Value integerFrom(std::uint8_t byte)
{
    static const std::array<long long, 8> special{std::numeric_limits<long long>::max(),
        std::numeric_limits<long long>::min(), std::numeric_limits<int>::max(), std::numeric_limits<int>::min(),
        1000000, 65, 64, -1};
    constexpr std::uint8_t kFirstSpecial = 248;
    if (byte >= kFirstSpecial)
        return Value::integer(special[byte - kFirstSpecial]);
    return Value::integer(static_cast<std::int8_t>(byte));
}

Value stringFrom(std::uint8_t byte)
{
    static const std::array<const char*, 12> texts{"", ",", ":", " ", "%@%d%s%n", "0x", "f", "\xff\xfe", "é∞",
        "{{color}}", "\n\t", "#"};
    if (byte == 0xff)
        return Value(std::string(4096, 'x'));
    return Value(texts[byte % texts.size()]);
}

// A style value of any kind, the wrong ones included.
Value styleValueFrom(std::uint8_t kind, std::uint8_t byte)
{
    switch (kind % 7) {
    case 0:
        return integerFrom(byte);
    case 1:
        return Value::real(componentFrom(byte) * 100.0);
    case 2:
        return Value::boolean(byte % 2 == 1);
    case 3:
        return stringFrom(byte);
    case 4:
        return Value::null();
    case 5:
        return Value(std::vector<Value>{integerFrom(byte)});
    default:
        return Value(Dictionary{{"value", integerFrom(byte)}});
    }
}

// Entries name one of the style's key paths, an unknown key, or a whole group that
// is not a dictionary.
Value codeStyleFrom(InputReader& input)
{
    const auto& paths = QVCodeStyle::keyPaths();
    Dictionary groups;
    for (std::size_t i = 0; i < kStyleEntries; ++i) {
        const std::uint8_t pathChoice = input.next();
        const std::uint8_t kind = input.next();
        const Value value = styleValueFrom(kind, input.next());
        const std::size_t index = pathChoice % (paths.size() + 2);
        if (index == paths.size() + 1) {
            groups.set("decimal", value);
            continue;
        }
        const std::string path = index < paths.size() ? paths[index] : "hex.unknown";
        const std::size_t dot = path.find('.');
        const std::string group = path.substr(0, dot);
        const Dictionary* existing = groups.get(group).dictionary();
        Dictionary members = existing ? *existing : Dictionary();
        members.set(path.substr(dot + 1), value);
        groups.set(group, Value(std::move(members)));
    }
    return Value(std::move(groups));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The application renders formats as text, never as HTML.
    MustacheConfiguration::defaultConfiguration().setContentType(MustacheContentTypeText);
    // Styles of the wrong kind log a line each; keep them off the fuzzer's output.
    logging::setSink([](const std::string&) {});
    return 0;
}

// Renders the template with the colour and the style as the application does on every
// mouse move; whatever the input, that ends with a text or nullopt.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    InputReader input(data, size);
    const Color color = colorFrom(input);
    const std::string profile = profileFrom(input.next());
    const Value style = codeStyleFrom(input);
    const std::string text = input.rest();

    QVFormatProcessor processor(std::make_shared<FakeRunningApplications>(
        std::vector<std::string>{"Adobe Illustrator 2024", "Adobe Photoshop 2024"}));
    processor.applyCodeStyle(style);
    const QVFormatDefinition format(Dictionary{{QVFormatDefinition::kName, Value("Fuzz")},
        {QVFormatDefinition::kGroup, Value("fuzz")}, {QVFormatDefinition::kColorProfile, Value(profile)},
        {QVFormatDefinition::kExportFormat, Value(text)}});
    processor.updateColorValuesWithColor(color, format);
    processor.renderFormat(text);
    return 0;
}
