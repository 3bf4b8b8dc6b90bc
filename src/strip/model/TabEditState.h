#pragma once
// The open tab editor: a new tab (no id) or an existing one, the name and colour being
// chosen, the cards that go into a new tab, and whether deletion is being confirmed.

#include <QMetaType>
#include <QString>
#include <QStringList>

#include <optional>

struct TabEditState
{
    Q_GADGET
    Q_PROPERTY(bool isNew READ isNew)
    Q_PROPERTY(QString tabID READ tabIDText)
    Q_PROPERTY(QString name MEMBER name)
    Q_PROPERTY(QString color MEMBER color)
    Q_PROPERTY(QStringList addingItemIDs MEMBER addingItemIDs)
    Q_PROPERTY(bool confirmDelete MEMBER confirmDelete)
    Q_PROPERTY(QString notice READ notice)
    Q_PROPERTY(bool canCommit READ canCommit)

public:
    std::optional<QString> tabID; // none while creating a tab
    QString name;
    QString color; // "#RRGGBB"
    QStringList addingItemIDs;
    bool confirmDelete = false;

    bool isNew() const { return !tabID.has_value(); }
    QString tabIDText() const { return tabID.value_or(QString()); }
    // The line under the colours: what happens to the selected cards, or the deletion
    // warning; empty when there is nothing to say.
    QString notice() const;
    // The name holds more than white space, so saving or creating would store something.
    bool canCommit() const { return !name.trimmed().isEmpty(); }

    friend bool operator==(const TabEditState &, const TabEditState &) = default;
};

Q_DECLARE_METATYPE(TabEditState)
