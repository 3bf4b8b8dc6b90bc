#pragma once
// Which list the strip shows: the history or one tab (a stored board, by id). A value type,
// comparable and hashable, readable from QML as a gadget.

#include <QHashFunctions>
#include <QMetaType>
#include <QString>
#include <QtGlobal>

class Tab
{
    Q_GADGET
    Q_PROPERTY(bool isHistory READ isHistory CONSTANT)
    Q_PROPERTY(QString boardID READ boardID CONSTANT)

public:
    enum class Kind { History, Board };

    Tab() = default;
    static Tab history() { return Tab(); }
    static Tab board(const QString &id) { return Tab(Kind::Board, id); }

    bool isHistory() const { return m_kind == Kind::History; }
    bool isBoard() const { return m_kind == Kind::Board; }
    // Empty for the history.
    QString boardID() const { return m_boardID; }

    friend bool operator==(const Tab &a, const Tab &b)
    {
        return a.m_kind == b.m_kind && a.m_boardID == b.m_boardID;
    }
    // The case first, then the id.
    friend size_t qHash(const Tab &tab, size_t seed = 0)
    {
        return qHashMulti(seed, static_cast<int>(tab.m_kind), tab.m_boardID);
    }

private:
    Tab(Kind kind, const QString &id)
        : m_kind(kind)
        , m_boardID(id)
    {}

    Kind m_kind = Kind::History;
    QString m_boardID;
};

Q_DECLARE_METATYPE(Tab)
