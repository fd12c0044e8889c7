#pragma once

#include "platform/LoginItems.h"

#include <set>

class FakeLoginItems final : public LoginItems {
public:
    bool setEnabled(const std::string& identifier, bool enabled) override;
    bool isEnabled(const std::string& identifier) const override { return m_enabled.contains(identifier); }

    void setFails(bool fails) { m_fails = fails; }

private:
    std::set<std::string> m_enabled;
    bool m_fails = false;
};
