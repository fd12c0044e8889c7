#include "formats/color/ColorComponentPath.h"

#include <array>
#include <utility>

namespace {

constexpr char kSeparator = '.';
constexpr std::string_view kLabAlpha = "alpha";
constexpr std::size_t kLabAlphaPosition = 3;

constexpr std::array<std::pair<std::string_view, ColorComponentPath::Model>, 5> kModels{{
    {"rgba", ColorComponentPath::Model::RGBA},
    {"hsla", ColorComponentPath::Model::HSLA},
    {"hsba", ColorComponentPath::Model::HSBA},
    {"cmyka", ColorComponentPath::Model::CMYKA},
    {"lab", ColorComponentPath::Model::LAB},
}};

} // namespace

std::optional<ColorComponentPath> ColorComponentPath::parse(std::string_view path)
{
    const std::size_t point = path.find(kSeparator);
    if (point == std::string_view::npos || path.find(kSeparator, point + 1) != std::string_view::npos)
        return std::nullopt;
    const std::string_view modelName = path.substr(0, point);
    const std::string_view component = path.substr(point + 1);
    for (const auto& [name, model] : kModels) {
        if (name != modelName)
            continue;
        if (model == Model::LAB && component == kLabAlpha)
            return ColorComponentPath(model, kLabAlphaPosition);
        const std::size_t position = component.empty() ? std::string_view::npos : name.find(component);
        if (position == std::string_view::npos)
            return std::nullopt;
        return ColorComponentPath(model, position);
    }
    return std::nullopt;
}
