#pragma once
// One tab: a named, coloured, permanent collection of cards.

#include <QList>
#include <QMetaType>
#include <QString>

struct UserTab
{
    QString id;
    QString name;
    QString color; // "#RRGGBB"
    qint64 position = 0;

    // What a tab stored without a colour is given.
    static QString defaultColor() { return QStringLiteral("#5B8DEF"); }

    friend bool operator==(const UserTab &, const UserTab &) = default;
};

Q_DECLARE_METATYPE(UserTab)
