#pragma once
// Key names for the views' hints and labels, written by the one formatter the tray and the
// messages use: "Ctrl+1", "Ctrl+Enter salvar".

#include "core/KeyNames.h"

#include <QObject>
#include <QtQml/qqmlregistration.h>

class KeyLabels : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON

public:
    using QObject::QObject;

    // The strip's own modifier with `key`: primary("t") is "Ctrl+T".
    Q_INVOKABLE QString primary(const QString &key) const { return KeyNames::primary(key); }
    // A key alone: name("return") is "Enter".
    Q_INVOKABLE QString name(const QString &key) const { return KeyNames::shortcut({}, key); }
};
