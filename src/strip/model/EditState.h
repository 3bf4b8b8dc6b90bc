#pragma once
// The open card editor: the card as it was when the editor opened, the text being typed, and
// whether the text or the card's custom name is edited.

#include "core/ClipItem.h"

#include <QMetaType>
#include <QObject>
#include <QString>

// A namespace of its own, so that the views can name the cases (a value type cannot).
namespace EditModes {
Q_NAMESPACE
enum class EditMode { Text, Rename };
Q_ENUM_NS(EditMode)
} // namespace EditModes

struct EditState
{
    Q_GADGET
    Q_PROPERTY(QString text MEMBER text)
    Q_PROPERTY(EditModes::EditMode mode MEMBER mode)
    Q_PROPERTY(QString typeLabel READ typeLabel)
    Q_PROPERTY(QString itemID READ itemID)

public:
    using Mode = EditModes::EditMode;

    ClipItem item;
    QString text;
    Mode mode = Mode::Text;

    QString typeLabel() const { return item.typeLabel(); }
    QString itemID() const { return item.id; }

    friend bool operator==(const EditState &, const EditState &) = default;
};

Q_DECLARE_METATYPE(EditState)
