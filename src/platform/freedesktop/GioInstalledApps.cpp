#include "GioInstalledApps.h"

#include <QCollator>

#include <gio/gdesktopappinfo.h>

#include <algorithm>

namespace {

const QLatin1String kSuffix(".desktop");

QString entryName(GAppInfo *info)
{
    return QString::fromUtf8(g_app_info_get_name(info));
}

std::optional<QString> nameOfEntry(const QString &id)
{
    GDesktopAppInfo *info = g_desktop_app_info_new((id + kSuffix).toUtf8().constData());
    if (!info)
        return std::nullopt;
    const QString name = entryName(G_APP_INFO(info));
    g_object_unref(info);
    return name;
}

} // namespace

QList<InstalledApp> GioInstalledApps::list()
{
    QList<InstalledApp> apps;
    GList *all = g_app_info_get_all();
    for (GList *l = all; l; l = l->next) {
        GAppInfo *info = G_APP_INFO(l->data);
        QString id = QString::fromUtf8(g_app_info_get_id(info));
        // Entries hidden from menus (helpers, handlers of a MIME type) are not applications
        // anyone copies from.
        if (id.isEmpty() || !g_app_info_should_show(info))
            continue;
        if (id.endsWith(kSuffix))
            id.chop(kSuffix.size());
        apps << InstalledApp{id, entryName(info)};
    }
    g_list_free_full(all, g_object_unref);
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(apps.begin(), apps.end(), [&](const InstalledApp &a, const InstalledApp &b) {
        return collator.compare(a.name, b.name) < 0;
    });
    return apps;
}

std::optional<QString> GioInstalledApps::name(const QString &id)
{
    // A desktop file id may not contain a slash; anything else is not ours to open.
    if (id.isEmpty() || id.contains(u'/'))
        return std::nullopt;
    if (auto name = nameOfEntry(id))
        return name;
    const QString lower = id.toLower();
    return lower == id ? std::nullopt : nameOfEntry(lower);
}
