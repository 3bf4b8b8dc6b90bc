#pragma once
// The panes of the settings window in sidebar order, with the names `varu settings PANE`
// takes ("general", "history", "privacy", "data", "about").

#include <QObject>
#include <QString>

#include <optional>

// A namespace of its own, so that the views can name the cases.
namespace SettingsPanes {
Q_NAMESPACE
enum class SettingsPane { General, History, Privacy, Data, About };
Q_ENUM_NS(SettingsPane)

QString id(SettingsPane pane);
// The pane of an identifier, compared exactly; none for anything else.
std::optional<SettingsPane> fromId(const QString &id);
} // namespace SettingsPanes

using SettingsPane = SettingsPanes::SettingsPane;
