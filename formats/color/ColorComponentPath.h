#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

// A path such as "rgba.g" or "lab.alpha" naming one component of a colour model.
class ColorComponentPath final {
public:
    enum class Model { RGBA, HSLA, HSBA, CMYKA, LAB };

    // nullopt unless the path is a known model, a point and a component of it.
    static std::optional<ColorComponentPath> parse(std::string_view path);

    Model model() const { return m_model; }
    // Index into the model's values: where the component's name first occurs in the
    // model's name ("lab.a" is a*), or the alpha slot for "lab.alpha".
    std::size_t position() const { return m_position; }

private:
    ColorComponentPath(Model model, std::size_t position) : m_model(model), m_position(position) {}

    Model m_model;
    std::size_t m_position;
};
