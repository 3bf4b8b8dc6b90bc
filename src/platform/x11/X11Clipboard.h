#pragma once
// The X11 CLIPBOARD selection through QClipboard, in stored type names. The change counter
// moves with every new owner and once with every write of this process; copied files arrive
// as one item per URI. The selection holds one item, so written items are merged. Another
// client's offer is read as soon as it appears, because it is gone when that client exits.

#include "platform/Clipboard.h"

#include <QClipboard>
#include <QHash>
#include <QObject>
#include <QTimer>

class QMimeData;

class X11Clipboard : public QObject, public Clipboard
{
    Q_OBJECT

public:
    explicit X11Clipboard(QClipboard *clipboard, QObject *parent = nullptr);

    qint64 changeCount() override { return m_changeCount; }
    int itemCount() override;
    QStringList types(int item) override;
    std::optional<QByteArray> data(int item, const QString &type) override;
    // X11 has no read permission: any client may read the selections.
    AccessBehavior accessBehavior() override { return AccessBehavior::AlwaysAllow; }
    std::optional<SrgbColor> readColor() override;

    void writeItems(const QList<ClipboardItem> &items) override;
    void mirrorToPrimarySelection() override;

    void setUnheldTypes(const QStringList &types) override { m_unheldTypes = types; }

    // The MIME data that writing `items` offers (also used for the primary selection).
    static QMimeData *mimeDataFor(const QList<ClipboardItem> &items);

private:
    // How the owner's offer maps onto items: item 0 has every type; further items carry
    // one file URL each.
    struct Layout
    {
        QStringList firstItemTypes;
        QList<QByteArray> fileUris;
        QString textMime;               // the MIME name plain text is read from
        QHash<QString, QString> mimeOf; // stored name → MIME name, for item 0
    };

    // How long another client's offer is held once read: past the monitor's poll and quiet
    // period, which is when it reads the copy.
    static constexpr int kHoldMs = 2000;

    void onChanged(QClipboard::Mode mode);
    const QMimeData *current() const;
    const Layout &layout();
    std::optional<QByteArray> readLive(const QString &type);
    void hold();
    void release();

    QClipboard *m_clipboard;
    qint64 m_changeCount = 0;
    bool m_writing = false;
    qint64 m_layoutCount = -1;
    Layout m_layout;
    // Item 0's data and colour as read when the offer appeared, for the layout of
    // m_layoutCount.
    struct Held
    {
        QHash<QString, std::optional<QByteArray>> data;
        std::optional<SrgbColor> color;
    };
    std::optional<Held> m_held;
    QTimer m_holdExpiry;
    QList<ClipboardItem> m_lastWritten;
    QStringList m_unheldTypes;
};
