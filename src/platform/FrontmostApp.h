#pragma once
// Which application the user is working in: the active window's application, named by its
// desktop entry id (the "bundle identifier") and display name. Main thread only.

#include <QString>

#include <optional>

struct AppIdentity
{
    std::optional<QString> appID; // e.g. "org.keepassxc.KeePassXC", else the lower-cased class
    std::optional<QString> name;     // localised display name

    friend bool operator==(const AppIdentity &, const AppIdentity &) = default;
};

class FrontmostApp
{
public:
    virtual ~FrontmostApp() = default;
    // None when no application window is active.
    virtual std::optional<AppIdentity> frontmost() = 0;
};
