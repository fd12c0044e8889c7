#pragma once

#include "app/windows/Appearance.h"
#include "uikit/application/NJApplication.h"

// The application object's theme.
class ApplicationAppearance final : public Appearance {
public:
    explicit ApplicationAppearance(NJApplication& application) : m_application(application) {}
    bool themeIsDark() const override { return m_application.themeIsDark(); }
    bool darkMode() const override { return m_application.darkMode(); }
    void themeChanged() override { m_application.themeChanged(); }

private:
    NJApplication& m_application;
};
