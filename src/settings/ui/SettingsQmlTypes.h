#pragma once
// The settings model's types under the names the Varu.Settings views use. The model library
// stays free of Qt Qml: these foreign declarations register its types from the views' side.

#include "settings/SettingsModel.h"
#include "settings/SettingsPane.h"

#include <QAbstractItemModel>
#include <QQmlEngine>
#include <QtQml/qqmlregistration.h>

struct SettingsModelForeign
{
    Q_GADGET
    QML_FOREIGN(SettingsModel)
    QML_NAMED_ELEMENT(SettingsModel)
    QML_UNCREATABLE("The settings model is handed to the views.")
};

// SettingsPane.General … SettingsPane.About
namespace SettingsPaneForeign {
Q_NAMESPACE
QML_FOREIGN_NAMESPACE(SettingsPanes)
QML_NAMED_ELEMENT(SettingsPane)
} // namespace SettingsPaneForeign

// Not described by the modules Qt ships, yet the list models derive from it.
struct SettingsItemModelForeign
{
    Q_GADGET
    QML_FOREIGN(QAbstractItemModel)
    QML_ANONYMOUS
};
