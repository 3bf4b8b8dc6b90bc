#pragma once
// A settable frontmost application for unit tests.

#include "platform/FrontmostApp.h"

class FakeFrontmostApp : public FrontmostApp
{
public:
    void set(std::optional<AppIdentity> app) { m_app = std::move(app); }
    std::optional<AppIdentity> frontmost() override { return m_app; }

private:
    std::optional<AppIdentity> m_app;
};
