#pragma once
// Application icons and their header colours by the desktop entry id a card was copied from,
// looked up through the desktop's lookup and cached for the life of the object.

#include <QColor>
#include <QHash>
#include <QIcon>
#include <QString>

#include <functional>
#include <optional>

// A missing icon is looked up again next time (the application may be installed meanwhile);
// a missing colour is not. Main thread only: icons are GUI objects.
class AppIcons
{
public:
    // Finds the icon of one desktop entry id, uncached; none when there is no such entry.
    using Lookup = std::function<std::optional<QIcon>(const QString &appID)>;

    explicit AppIcons(Lookup lookup);

    std::optional<QIcon> icon(const std::optional<QString> &appID);

private:
    Lookup m_lookup;
    QHash<QString, QIcon> m_cache;
};

class AppColors
{
public:
    explicit AppColors(AppIcons &icons);

    // The dominant colour of the application's icon; none without an icon or colour.
    std::optional<QColor> color(const std::optional<QString> &appID);

private:
    AppIcons &m_icons;
    QHash<QString, std::optional<QColor>> m_cache;
};
