#pragma once
// An in-memory clipboard for unit tests: tests put items on it (as another application
// would) and read back what the code under test wrote.

#include "platform/Clipboard.h"

class FakeClipboard : public Clipboard
{
public:
    // What another application offers: a copy moves the change counter on.
    void simulateCopy(const QList<ClipboardItem> &items);
    // Types listed but whose data the owner fails to supply.
    void setUnavailable(int item, const QString &type);
    void setColor(std::optional<SrgbColor> color) { m_color = color; }
    // Who makes the next copies, for platforms that tell.
    void setOwnerID(std::optional<quint64> owner) { m_owner = owner; }
    void setAccessBehavior(AccessBehavior b) { m_access = b; }
    // Whether it tells of changes (each copy and each write, as a platform may) or must be
    // polled.
    void setNotifying(bool notifying) { m_notifying = notifying; }

    const QList<ClipboardItem> &items() const { return m_items; }
    const QList<ClipboardItem> &primary() const { return m_primary; }
    int writeCount() const { return m_writes; }

    qint64 changeCount() override { return m_changeCount; }
    bool setChangeHandler(std::function<void()> handler) override;
    int itemCount() override { return int(m_items.size()); }
    QStringList types(int item) override;
    std::optional<QByteArray> data(int item, const QString &type) override;
    AccessBehavior accessBehavior() override { return m_access; }
    std::optional<SrgbColor> readColor() override { return m_color; }
    std::optional<quint64> ownerID() override { return m_owner; }
    void writeItems(const QList<ClipboardItem> &items) override;
    void mirrorToPrimarySelection() override { m_primary = m_items; }

private:
    qint64 m_changeCount = 0;
    QList<ClipboardItem> m_items;
    QList<ClipboardItem> m_primary;
    QList<std::pair<int, QString>> m_unavailable;
    std::optional<SrgbColor> m_color;
    std::optional<quint64> m_owner;
    AccessBehavior m_access = AccessBehavior::AlwaysAllow;
    int m_writes = 0;
    bool m_notifying = false;
    std::function<void()> m_changed;
};
