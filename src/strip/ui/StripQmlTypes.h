#pragma once
// The strip model's types under the names the Varu.Strip views use. The model library stays
// free of Qt Qml: these thin foreign declarations register its types from the views' side.

#include "strip/model/CardMenu.h"
#include "strip/model/EditState.h"
#include "strip/model/PinState.h"
#include "strip/model/StripModel.h"
#include "strip/model/Tab.h"
#include "strip/model/TabEditState.h"

#include <QAbstractItemModel>
#include <QtQml/qqmlregistration.h>

struct StripModelForeign
{
    Q_GADGET
    QML_FOREIGN(StripModel)
    QML_NAMED_ELEMENT(StripModel)
    QML_UNCREATABLE("The strip model is handed to the views.")
};

struct TabForeign
{
    Q_GADGET
    QML_FOREIGN(Tab)
    QML_VALUE_TYPE(tab)
};

struct EditStateForeign
{
    Q_GADGET
    QML_FOREIGN(EditState)
    QML_VALUE_TYPE(editState)
};

struct TabEditStateForeign
{
    Q_GADGET
    QML_FOREIGN(TabEditState)
    QML_VALUE_TYPE(tabEditState)
};

// The enums the views compare against, each from its own namespace: EditMode.Rename,
// CardMenuEntry.Separator, PinState.Mixed.
namespace EditModeForeign {
Q_NAMESPACE
QML_FOREIGN_NAMESPACE(EditModes)
QML_NAMED_ELEMENT(EditMode)
} // namespace EditModeForeign

namespace CardMenuEntryForeign {
Q_NAMESPACE
QML_FOREIGN_NAMESPACE(CardMenuEntries)
QML_NAMED_ELEMENT(CardMenuEntry)
} // namespace CardMenuEntryForeign

namespace PinStateForeign {
Q_NAMESPACE
QML_FOREIGN_NAMESPACE(PinStates)
QML_NAMED_ELEMENT(PinState)
} // namespace PinStateForeign

// Not described by the modules Qt ships, yet the list models derive from it.
struct AbstractItemModelForeign
{
    Q_GADGET
    QML_FOREIGN(QAbstractItemModel)
    QML_ANONYMOUS
};
