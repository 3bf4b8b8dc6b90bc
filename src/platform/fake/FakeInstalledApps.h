#pragma once
// Installed applications for unit tests: the test fills the list; names are found by id in
// any letter case, as the desktop does.

#include "platform/InstalledApps.h"

class FakeInstalledApps : public InstalledApps
{
public:
    QList<InstalledApp> apps;

    QList<InstalledApp> list() override { return apps; }
    std::optional<QString> name(const QString &id) override
    {
        for (const InstalledApp &app : apps) {
            if (app.id.compare(id, Qt::CaseInsensitive) == 0)
                return app.name;
        }
        return std::nullopt;
    }
};
