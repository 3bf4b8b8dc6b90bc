#pragma once
// The clipboard through Varu's own data-control connection: another client's copy is read in
// full on the protocol thread and arrives here as a snapshot, moving the change counter and
// calling the change handler; writes serve every type from that thread, so reading our own
// clipboard (Ctrl+V in Varu's own window) never waits on the GUI thread.

#include "WaylandOffers.h"

#include "platform/Clipboard.h"

#include <QObject>

class WaylandConnection;
class WaylandDataDevice;

class WaylandClipboard : public QObject, public Clipboard
{
    Q_OBJECT

public:
    // Without `connection` (tests), writes only change what this object reads back.
    explicit WaylandClipboard(WaylandConnection *connection, QObject *parent = nullptr);

    qint64 changeCount() override { return m_changeCount; }
    bool setChangeHandler(std::function<void()> handler) override;
    int itemCount() override { return m_snapshot.itemCount(); }
    QStringList types(int item) override { return m_snapshot.types(item); }
    std::optional<QByteArray> data(int item, const QString &type) override
    {
        return m_snapshot.data(item, type);
    }
    // Data control reads without focus or consent.
    AccessBehavior accessBehavior() override { return AccessBehavior::AlwaysAllow; }
    std::optional<SrgbColor> readColor() override;

    void writeItems(const QList<ClipboardItem> &items) override;
    void mirrorToPrimarySelection() override;
    void setUnheldTypes(const QStringList &types) override;

    // A copy of another client, read in full (called on the main thread).
    void receive(WaylandOffers::Snapshot snapshot);

private:
    WaylandConnection *m_connection;
    WaylandDataDevice *m_device = nullptr;
    WaylandOffers::Snapshot m_snapshot;
    QList<std::pair<QString, QByteArray>> m_lastWritten;
    qint64 m_changeCount = 0;
    std::function<void()> m_handler;
};
