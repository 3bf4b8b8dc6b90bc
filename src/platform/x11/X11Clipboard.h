#pragma once
// The X11 CLIPBOARD selection in stored type names. Other clients' offers are read in full
// by a reader thread as soon as they appear (they are gone when their owner exits) and kept
// here as a snapshot, so reading never waits on another client; writing goes through
// QClipboard. The counter moves with every offer read and every own write; copied files
// arrive as one item per URI, and written items are merged into the selection's one item.

#include "platform/Clipboard.h"

#include <QClipboard>
#include <QHash>
#include <QObject>

#include <memory>

class QMimeData;
class X11SelectionReader;
struct X11Offer;

class X11Clipboard : public QObject, public Clipboard
{
    Q_OBJECT

public:
    explicit X11Clipboard(QClipboard *clipboard, QObject *parent = nullptr);
    ~X11Clipboard() override;

    qint64 changeCount() override { return m_changeCount; }
    bool setChangeHandler(std::function<void()> handler) override;
    int itemCount() override { return int(m_items.size()); }
    QStringList types(int item) override;
    std::optional<QByteArray> data(int item, const QString &type) override;
    // X11 has no read permission: any client may read the selections.
    AccessBehavior accessBehavior() override { return AccessBehavior::AlwaysAllow; }
    std::optional<SrgbColor> readColor() override { return m_color; }
    std::optional<quint64> ownerID() override { return m_owner; }

    void writeItems(const QList<ClipboardItem> &items) override;
    void mirrorToPrimarySelection() override;

    void setUnheldTypes(const QStringList &types) override;

    // The MIME data that writing `items` offers (also used for the primary selection).
    static QMimeData *mimeDataFor(const QList<ClipboardItem> &items);

private:
    // One type of an item, with its bytes unless the owner did not supply them.
    struct Entry
    {
        QString type;
        std::optional<QByteArray> bytes;
    };

    void receive(X11Offer offer);
    void show(const X11Offer &offer);

    QClipboard *m_clipboard;
    std::unique_ptr<X11SelectionReader> m_reader;
    std::function<void()> m_changed;
    qint64 m_changeCount = 0;
    quint32 m_ownWindow = 0;
    QList<QList<Entry>> m_items;
    std::optional<SrgbColor> m_color;
    std::optional<quint64> m_owner;
    bool m_concealed = false;
    QList<ClipboardItem> m_lastWritten;
};
