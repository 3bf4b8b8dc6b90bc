#pragma once
// The applications installed on this desktop, by desktop entry id ("org.keepassxc.KeePassXC"),
// as the settings window lists them for the user to choose from. Main thread only.

#include <QList>
#include <QString>

#include <optional>

struct InstalledApp
{
    QString id;   // the desktop entry id without ".desktop"
    QString name; // as the desktop shows it
};

class InstalledApps
{
public:
    virtual ~InstalledApps() = default;

    // Every application the desktop shows in its menus, sorted by name.
    virtual QList<InstalledApp> list() = 0;
    // The name of the application with this id (the id may differ in letter case); none when
    // no such application is installed.
    virtual std::optional<QString> name(const QString &id) = 0;
};
