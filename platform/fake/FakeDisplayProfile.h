#pragma once

#include "platform/DisplayProfile.h"

class FakeDisplayProfile final : public DisplayProfile {
public:
    Reading read() const override { return {m_readError, m_readError ? std::nullopt : m_profile}; }
    int write(const Profile& profile) override
    {
        ++m_writes;
        if (!m_writeError)
            m_profile = profile;
        return m_writeError;
    }
    int remove() override
    {
        ++m_removals;
        if (!m_writeError)
            m_profile.reset();
        return m_writeError;
    }

    const std::optional<Profile>& profile() const { return m_profile; }
    void setProfile(std::optional<Profile> profile) { m_profile = std::move(profile); }
    void setReadError(int error) { m_readError = error; }
    void setWriteError(int error) { m_writeError = error; }
    int writes() const { return m_writes; }
    int removals() const { return m_removals; }

private:
    std::optional<Profile> m_profile;
    int m_readError = 0;
    int m_writeError = 0;
    int m_writes = 0;
    int m_removals = 0;
};
