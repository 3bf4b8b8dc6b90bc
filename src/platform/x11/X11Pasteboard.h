#pragma once
// The X11 CLIPBOARD selection through QClipboard, in stored type names. The change counter
// moves with every new owner and once with every write of this process; copied files arrive
// as one item per URI. The selection holds one item, so written items are merged.

#include "platform/Pasteboard.h"

#include <QClipboard>
#include <QHash>
#include <QObject>

class QMimeData;

class X11Pasteboard : public QObject, public Pasteboard
{
    Q_OBJECT

public:
    explicit X11Pasteboard(QClipboard *clipboard, QObject *parent = nullptr);

    qint64 changeCount() override { return m_changeCount; }
    int itemCount() override;
    QStringList types(int item) override;
    std::optional<QByteArray> data(int item, const QString &type) override;
    // X11 has no read permission: any client may read the selections.
    AccessBehavior accessBehavior() override { return AccessBehavior::AlwaysAllow; }
    std::optional<SrgbColor> readColor() override;

    void writeItems(const QList<PasteboardItem> &items) override;
    void writeString(const QString &text) override;
    void mirrorToPrimarySelection() override;

    // The MIME data that writing `items` offers (also used for the primary selection).
    static QMimeData *mimeDataFor(const QList<PasteboardItem> &items);

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

    void onChanged(QClipboard::Mode mode);
    const QMimeData *current() const;
    const Layout &layout();

    QClipboard *m_clipboard;
    qint64 m_changeCount = 0;
    bool m_writing = false;
    qint64 m_layoutCount = -1;
    Layout m_layout;
    QList<PasteboardItem> m_lastWritten;
};
