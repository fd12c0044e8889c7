#pragma once

#include <QColor>
#include <QPointF>
#include <QWidget>

#include <optional>
#include <string>
#include <vector>

// Blurs and saturates under a tint: either what its parent paints behind it (background
// filters) or its own content. Only our own window's pixels can be reached here, never
// other programs' windows.
class NJBlurEffectView : public QWidget {
    Q_OBJECT
public:
    struct Filter {
        std::string name;
        std::string key;
        double value = 0;
        bool operator==(const Filter&) const = default;
    };
    static constexpr const char* kBlurFilterName = "CIGaussianBlur";
    static constexpr const char* kBlurKey = "inputRadius";
    static constexpr const char* kSaturationFilterName = "CIColorControls";
    static constexpr const char* kSaturationKey = "inputSaturation";

    explicit NJBlurEffectView(QWidget* parent = nullptr);

    float blurRadius() const { return m_blurRadius; }
    float saturationFactor() const { return m_saturationFactor; }
    void setBlurRadius(float radius);
    void setSaturationFactor(float factor);
    void setBlurRadius(float radius, float factor);
    void setBlurRadiusNumber(double radius) { setBlurRadius(static_cast<float>(radius)); }
    void setSaturationFactorNumber(double factor) { setSaturationFactor(static_cast<float>(factor)); }
    // x is the radius, y the saturation.
    void setBlurRadiusSaturationFactor(const QPointF& value);

    const std::optional<QColor>& tintColor() const { return m_tintColor; }
    void setTintColor(std::optional<QColor> color);
    bool asBackgroundFilters() const { return m_asBackgroundFilters; }
    void setAsBackgroundFilters(bool background);

    void resetBlurFilter();
    void resetSaturationFilter();
    void assignFilters();
    void clearFilters();
    // The filters in force, blur first.
    const std::vector<Filter>& backgroundFilters() const { return m_backgroundFilters; }
    const std::vector<Filter>& contentFilters() const { return m_contentFilters; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void setupUI();

    float m_blurRadius = 0;
    float m_saturationFactor = 0;
    std::optional<Filter> m_blurFilter;
    std::optional<Filter> m_saturationFilter;
    bool m_asBackgroundFilters = false;
    std::optional<QColor> m_tintColor;
    std::vector<Filter> m_backgroundFilters;
    std::vector<Filter> m_contentFilters;
};
