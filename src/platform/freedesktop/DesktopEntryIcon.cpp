#include "DesktopEntryIcon.h"

#include <QFileInfo>

#include <gio/gdesktopappinfo.h>

namespace DesktopEntryIcon {

namespace {

std::optional<QIcon> iconOf(GIcon *gicon)
{
    if (!gicon)
        return std::nullopt;
    if (G_IS_THEMED_ICON(gicon)) {
        const gchar *const *names = g_themed_icon_get_names(G_THEMED_ICON(gicon));
        for (; names && *names; ++names) {
            const QString name = QString::fromUtf8(*names);
            if (QIcon::hasThemeIcon(name))
                return QIcon::fromTheme(name);
        }
        return std::nullopt;
    }
    if (G_IS_FILE_ICON(gicon)) {
        GFile *file = g_file_icon_get_file(G_FILE_ICON(gicon));
        gchar *path = file ? g_file_get_path(file) : nullptr;
        const QString p = QString::fromUtf8(path);
        g_free(path);
        if (!p.isEmpty() && QFileInfo(p).isReadable()) {
            QIcon icon(p);
            if (!icon.isNull())
                return icon;
        }
    }
    return std::nullopt;
}

std::optional<QIcon> entryIcon(const QString &desktopFile)
{
    GDesktopAppInfo *info = g_desktop_app_info_new(desktopFile.toUtf8().constData());
    if (!info)
        return std::nullopt;
    std::optional<QIcon> icon = iconOf(g_app_info_get_icon(G_APP_INFO(info)));
    g_object_unref(info);
    return icon;
}

} // namespace

std::optional<QIcon> find(const QString &appID)
{
    // A desktop file id may not contain a slash; anything else is not ours to open.
    if (appID.contains(u'/') || appID.isEmpty())
        return std::nullopt;
    if (auto icon = entryIcon(appID + QStringLiteral(".desktop")))
        return icon;
    const QString lower = appID.toLower();
    if (lower != appID) {
        if (auto icon = entryIcon(lower + QStringLiteral(".desktop")))
            return icon;
    }
    for (const QString &name : {appID, lower}) {
        if (QIcon::hasThemeIcon(name))
            return QIcon::fromTheme(name);
    }
    return std::nullopt;
}

} // namespace DesktopEntryIcon
