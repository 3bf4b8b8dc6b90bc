#pragma once
// Which list the strip shows: the history or one tab (a stored tab, by id). A value type,
// comparable and hashable, readable from QML as a gadget.

#include <QHashFunctions>
#include <QMetaType>
#include <QString>
#include <QtGlobal>

class Tab
{
    Q_GADGET
    Q_PROPERTY(bool isHistory READ isHistory CONSTANT)
    Q_PROPERTY(QString tabID READ tabID CONSTANT)

public:
    enum class Kind { History, UserTab };

    Tab() = default;
    static Tab history() { return Tab(); }
    static Tab userTab(const QString &id) { return Tab(Kind::UserTab, id); }

    bool isHistory() const { return m_kind == Kind::History; }
    bool isUserTab() const { return m_kind == Kind::UserTab; }
    // Empty for the history.
    QString tabID() const { return m_tabID; }

    friend bool operator==(const Tab &a, const Tab &b)
    {
        return a.m_kind == b.m_kind && a.m_tabID == b.m_tabID;
    }
    // The case first, then the id.
    friend size_t qHash(const Tab &tab, size_t seed = 0)
    {
        return qHashMulti(seed, static_cast<int>(tab.m_kind), tab.m_tabID);
    }

private:
    Tab(Kind kind, const QString &id)
        : m_kind(kind)
        , m_tabID(id)
    {}

    Kind m_kind = Kind::History;
    QString m_tabID;
};

Q_DECLARE_METATYPE(Tab)
