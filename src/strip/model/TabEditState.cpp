#include "TabEditState.h"

QString TabEditState::notice() const
{
    if (addingItemIDs.size() > 1)
        return QString::number(addingItemIDs.size()) +
               QStringLiteral(" cards selecionados entram nesta tab.");
    if (addingItemIDs.size() == 1)
        return QStringLiteral("O card selecionado entra nesta tab.");
    if (confirmDelete)
        return QStringLiteral("Os cards só somem se não estiverem no histórico nem em outra tab.");
    return {};
}
