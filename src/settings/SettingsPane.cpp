#include "SettingsPane.h"

#include <array>

namespace SettingsPanes {

namespace {
const std::array<QLatin1String, 5> kIds{QLatin1String("general"), QLatin1String("history"),
                                        QLatin1String("privacy"), QLatin1String("data"),
                                        QLatin1String("about")};
}

QString id(SettingsPane pane)
{
    return kIds.at(static_cast<size_t>(pane));
}

std::optional<SettingsPane> fromId(const QString &id)
{
    for (size_t i = 0; i < kIds.size(); ++i) {
        if (id == kIds[i])
            return static_cast<SettingsPane>(i);
    }
    return std::nullopt;
}

} // namespace SettingsPanes
