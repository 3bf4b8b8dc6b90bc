#include "KeyNames.h"

#include <QHash>

#include <algorithm>

namespace KeyNames {

namespace {

struct Modifier
{
    QStringList names;
    QString label;
};

const QList<Modifier> &modifierOrder()
{
    // Super first, as KDE and GNOME write it ("Super+Shift+V"), then Ctrl, Alt, Shift.
    static const QList<Modifier> order = {
        {{QStringLiteral("cmd"), QStringLiteral("super"), QStringLiteral("command"),
          QStringLiteral("meta")},
         QStringLiteral("Super")},
        {{QStringLiteral("ctrl"), QStringLiteral("control")}, QStringLiteral("Ctrl")},
        {{QStringLiteral("opt"), QStringLiteral("alt"), QStringLiteral("option")},
         QStringLiteral("Alt")},
        {{QStringLiteral("shift")}, QStringLiteral("Shift")},
    };
    return order;
}

QString keyLabel(const QString &key)
{
    static const QHash<QString, QString> names = {
        {QStringLiteral("return"), QStringLiteral("Enter")},
        {QStringLiteral("enter"), QStringLiteral("Enter")},
        {QStringLiteral("escape"), QStringLiteral("Esc")},
        {QStringLiteral("esc"), QStringLiteral("Esc")},
        {QStringLiteral("space"), QStringLiteral("Espaço")},
        {QStringLiteral(" "), QStringLiteral("Espaço")},
        {QStringLiteral("tab"), QStringLiteral("Tab")},
        {QStringLiteral("\t"), QStringLiteral("Tab")},
        {QStringLiteral("backspace"), QStringLiteral("Backspace")},
        {QStringLiteral("delete"), QStringLiteral("Delete")},
        {QStringLiteral("left"), QStringLiteral("←")},
        {QStringLiteral("right"), QStringLiteral("→")},
        {QStringLiteral("up"), QStringLiteral("↑")},
        {QStringLiteral("down"), QStringLiteral("↓")},
    };
    const QString lower = key.toLower();
    return names.value(lower, key.toUpper());
}

} // namespace

QStringList caps(const QStringList &modifiers, const QString &key)
{
    QStringList parts;
    for (const Modifier &m : modifierOrder()) {
        const bool present = std::any_of(modifiers.begin(), modifiers.end(), [&](const QString &n) {
            return m.names.contains(n.toLower());
        });
        if (present)
            parts << m.label;
    }
    parts << keyLabel(key);
    return parts;
}

QString shortcut(const QStringList &modifiers, const QString &key)
{
    return caps(modifiers, key).join(QLatin1Char('+'));
}

QString primary(const QString &key)
{
    return shortcut({QStringLiteral("ctrl")}, key);
}

} // namespace KeyNames
