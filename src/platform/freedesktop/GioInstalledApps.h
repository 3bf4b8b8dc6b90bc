#pragma once
// Installed applications from the desktop entries GIO finds (the freedesktop.org menu
// specification's folders), as the desktop's own menus show them.

#include "platform/InstalledApps.h"

class GioInstalledApps : public InstalledApps
{
public:
    QList<InstalledApp> list() override;
    std::optional<QString> name(const QString &id) override;
};
