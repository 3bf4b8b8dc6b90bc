#include "WaylandClipboard.h"

#include "WaylandConnection.h"
#include "WaylandDataDevice.h"

#include <QHash>
#include <QPointer>

WaylandClipboard::WaylandClipboard(WaylandConnection *connection, QObject *parent)
    : QObject(parent)
    , m_connection(connection)
{
    if (!m_connection)
        return;
    QPointer<WaylandClipboard> self(this);
    auto deliver = [self](WaylandOffers::Snapshot snapshot) {
        // On the protocol thread. The connection shuts down before this object goes.
        QMetaObject::invokeMethod(
            self.data(),
            [self, snapshot = std::move(snapshot)]() mutable {
                if (self)
                    self->receive(std::move(snapshot));
            },
            Qt::QueuedConnection);
    };
    m_device = m_connection->adopt(new WaylandDataDevice(*m_connection, std::move(deliver)));
}

bool WaylandClipboard::setChangeHandler(std::function<void()> handler)
{
    m_handler = std::move(handler);
    return m_device != nullptr;
}

void WaylandClipboard::receive(WaylandOffers::Snapshot snapshot)
{
    m_snapshot = std::move(snapshot);
    m_lastWritten.clear(); // no longer ours to mirror, and possibly large
    ++m_changeCount;
    if (m_handler)
        m_handler();
}

std::optional<SrgbColor> WaylandClipboard::readColor()
{
    const std::optional<QByteArray> bytes =
        m_snapshot.data(0, QStringLiteral("com.apple.cocoa.pasteboard.color"));
    return bytes ? WaylandOffers::color(*bytes) : std::nullopt;
}

void WaylandClipboard::writeItems(const QList<ClipboardItem> &items)
{
    m_lastWritten = WaylandOffers::offer(items);
    // What we offer is what reading the clipboard gives from now on, without a round trip.
    QStringList mimes;
    QHash<QString, std::optional<QByteArray>> bytes;
    for (const auto &[mime, data] : std::as_const(m_lastWritten)) {
        mimes << mime;
        bytes.insert(mime, data);
    }
    m_snapshot = WaylandOffers::snapshot(WaylandOffers::plan(mimes), bytes);
    ++m_changeCount;
    if (m_device) {
        WaylandDataDevice *device = m_device;
        WaylandConnection::post(device, [device, offer = m_lastWritten] { device->write(offer); });
    }
}

void WaylandClipboard::mirrorToPrimarySelection()
{
    if (m_device && !m_lastWritten.isEmpty()) {
        WaylandDataDevice *device = m_device;
        WaylandConnection::post(device,
                                [device, offer = m_lastWritten] { device->writePrimary(offer); });
    }
}

void WaylandClipboard::setUnheldTypes(const QStringList &types)
{
    if (m_device) {
        WaylandDataDevice *device = m_device;
        WaylandConnection::post(device, [device, types] { device->setUnheld(types); });
    }
}
