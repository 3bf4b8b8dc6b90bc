#include "AppIcons.h"

#include "DominantColor.h"

AppIcons::AppIcons(Lookup lookup)
    : m_lookup(std::move(lookup))
{}

std::optional<QIcon> AppIcons::icon(const std::optional<QString> &appID)
{
    if (!appID || appID->isEmpty())
        return std::nullopt;
    if (const auto it = m_cache.constFind(*appID); it != m_cache.cend())
        return *it;
    std::optional<QIcon> found = m_lookup(*appID);
    if (found)
        m_cache.insert(*appID, *found);
    return found;
}

AppColors::AppColors(AppIcons &icons)
    : m_icons(icons)
{}

std::optional<QColor> AppColors::color(const std::optional<QString> &appID)
{
    if (!appID || appID->isEmpty())
        return std::nullopt;
    if (const auto it = m_cache.constFind(*appID); it != m_cache.cend())
        return *it;
    const std::optional<QIcon> icon = m_icons.icon(appID);
    const std::optional<QColor> color = icon ? DominantColor::of(*icon) : std::nullopt;
    m_cache.insert(*appID, color);
    return color;
}
