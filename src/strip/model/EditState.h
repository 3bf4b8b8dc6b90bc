#pragma once
// The open card editor: the card as it was when the editor opened, the text being typed, and
// whether the text or the card's custom name is edited.

#include "core/ClipItem.h"

#include <QMetaType>
#include <QString>

struct EditState
{
    Q_GADGET
    Q_PROPERTY(QString text MEMBER text)
    Q_PROPERTY(Mode mode MEMBER mode)
    Q_PROPERTY(QString typeLabel READ typeLabel)
    Q_PROPERTY(QString itemID READ itemID)

public:
    enum class Mode { Text, Rename };
    Q_ENUM(Mode)

    ClipItem item;
    QString text;
    Mode mode = Mode::Text;

    QString typeLabel() const { return item.typeLabel(); }
    QString itemID() const { return item.id; }

    friend bool operator==(const EditState &, const EditState &) = default;
};

Q_DECLARE_METATYPE(EditState)
