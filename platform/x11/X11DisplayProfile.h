#pragma once

#include "platform/DisplayProfile.h"

class X11Connection;

// The root window's _ICC_PROFILE property, the profile of the default screen.
class X11DisplayProfile final : public DisplayProfile {
public:
    explicit X11DisplayProfile(X11Connection& connection);

    Reading read() const override;
    int write(const Profile& profile) override;
    int remove() override;

private:
    X11Connection& m_connection;
};
