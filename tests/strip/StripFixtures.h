#pragma once
// Test helpers for the strip: cards and tabs built in one line, and a VaruActions that
// writes each call it receives as one readable line.

#include "strip/model/StripModel.h"
#include "strip/model/VaruActions.h"

#include <QStringList>

inline ClipItem card(const QString &id, const QString &title, ClipKind kind = ClipKind::Text)
{
    ClipItem item;
    item.id = id;
    item.title = title;
    item.kind = kind;
    return item;
}

// Cards "A", "B", … titled "a", "b", …
inline QList<ClipItem> cards(const QString &ids)
{
    QList<ClipItem> list;
    for (const QChar c : ids)
        list.append(card(QString(c), QString(c).toLower()));
    return list;
}

inline UserTab userTab(const QString &id, const QString &name = QStringLiteral("Tab"))
{
    return UserTab{id, name, QStringLiteral("#5B8DEF"), 0};
}

inline QString ids(const QList<ClipItem> &items)
{
    QStringList list;
    for (const ClipItem &item : items)
        list.append(item.id);
    return list.join(u',');
}

inline QString ids(const QSet<QString> &set)
{
    QStringList list(set.cbegin(), set.cend());
    list.sort();
    return list.join(u',');
}

class RecordingActions : public VaruActions
{
public:
    QStringList calls;
    QList<Representation> stored; // what representations() answers

    void paste(const QList<ClipItem> &items, bool plainText) override
    {
        calls << QStringLiteral("paste %1%2").arg(ids(items), plainText ? u" plain"_qs : u""_qs);
    }
    void copy(const QList<ClipItem> &items) override { calls << u"copy "_qs + ids(items); }
    void add(const QString &itemID, const QString &tabID) override
    {
        calls << QStringLiteral("add %1 to %2").arg(itemID, tabID);
    }
    void remove(const QList<ClipItem> &items, const QString &tabID) override
    {
        calls << QStringLiteral("remove %1 from %2").arg(ids(items), tabID);
    }
    void deleteItems(const QList<ClipItem> &items, const Tab &from) override
    {
        calls << QStringLiteral("delete %1 from %2")
                     .arg(ids(items), from.isHistory() ? u"history"_qs : from.tabID());
    }
    void rename(const ClipItem &item, const std::optional<QString> &to) override
    {
        calls << QStringLiteral("rename %1 to [%2]").arg(item.id, to.value_or(u"none"_qs));
    }
    void saveText(const ClipItem &item, const QString &text) override
    {
        calls << QStringLiteral("save %1 [%2]").arg(item.id, text);
    }
    void createTab(const QString &name, const QString &color, const QStringList &adding) override
    {
        calls << QStringLiteral("create [%1] %2 with %3").arg(name, color, adding.join(u','));
    }
    void updateTab(const QString &id, const QString &name, const QString &color) override
    {
        calls << QStringLiteral("update %1 [%2] %3").arg(id, name, color);
    }
    void deleteTab(const QString &id) override { calls << u"delete tab "_qs + id; }
    QList<Representation> representations(const ClipItem &) override { return stored; }
    void exportTab(const QString &) override {}
};
