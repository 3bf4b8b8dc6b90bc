#include "WaylandDataDevice.h"

#include "WaylandConnection.h"
#include "WaylandPipes.h"

#include "platform/Log.h"

#include "wlr-data-control-unstable-v1-client-protocol.h"

#include <fcntl.h>
#include <unistd.h>

namespace {

WaylandDataDevice *self(void *data)
{
    return static_cast<WaylandDataDevice *>(data);
}

const zwlr_data_control_offer_v1_listener kOfferListener{
    [](void *data, zwlr_data_control_offer_v1 *offer, const char *mime) {
        self(data)->offerType(offer, mime);
    },
};

const zwlr_data_control_device_v1_listener kDeviceListener{
    [](void *data, zwlr_data_control_device_v1 *, zwlr_data_control_offer_v1 *offer) {
        self(data)->offerAppeared(offer);
    },
    [](void *data, zwlr_data_control_device_v1 *, zwlr_data_control_offer_v1 *offer) {
        self(data)->selection(offer);
    },
    [](void *data, zwlr_data_control_device_v1 *) { self(data)->finished(); },
    [](void *data, zwlr_data_control_device_v1 *, zwlr_data_control_offer_v1 *offer) {
        self(data)->primarySelection(offer);
    },
};

const zwlr_data_control_source_v1_listener kSourceListener{
    [](void *data, zwlr_data_control_source_v1 *source, const char *mime, int32_t fd) {
        self(data)->send(source, mime, fd);
    },
    [](void *data, zwlr_data_control_source_v1 *source) { self(data)->cancelled(source); },
};

} // namespace

WaylandDataDevice::WaylandDataDevice(WaylandConnection &connection, Deliver deliver,
                                     TransferLimits limits)
    : m_connection(connection)
    , m_deliver(std::move(deliver))
    , m_limits(limits)
{}

WaylandDataDevice::~WaylandDataDevice()
{
    abandonReading();
    for (auto it = m_offers.cbegin(); it != m_offers.cend(); ++it)
        zwlr_data_control_offer_v1_destroy(it.key());
    for (auto it = m_sources.cbegin(); it != m_sources.cend(); ++it)
        zwlr_data_control_source_v1_destroy(it.key());
    if (m_device)
        zwlr_data_control_device_v1_destroy(m_device);
}

void WaylandDataDevice::start()
{
    const WaylandConnection::Globals &g = m_connection.globals();
    if (!g.dataControl || !g.seat)
        return;
    m_device = zwlr_data_control_manager_v1_get_data_device(g.dataControl, g.seat);
    zwlr_data_control_device_v1_add_listener(m_device, &kDeviceListener, this);
}

void WaylandDataDevice::offerAppeared(zwlr_data_control_offer_v1 *offer)
{
    m_offers.insert(offer, {});
    zwlr_data_control_offer_v1_add_listener(offer, &kOfferListener, this);
}

void WaylandDataDevice::offerType(zwlr_data_control_offer_v1 *offer, const char *mime)
{
    auto it = m_offers.find(offer);
    if (it != m_offers.end())
        it->append(QString::fromUtf8(mime));
}

void WaylandDataDevice::destroyOffer(zwlr_data_control_offer_v1 *offer)
{
    if (offer && m_offers.remove(offer))
        zwlr_data_control_offer_v1_destroy(offer);
}

void WaylandDataDevice::selection(zwlr_data_control_offer_v1 *offer)
{
    // Our own source coming back: the compositor cancels it before anyone else's selection,
    // so while it lives, the selection is ours.
    if (m_clipboardSource) {
        destroyOffer(offer);
        return;
    }
    abandonReading();
    // An empty selection (the owner exited or cleared it) keeps what was read last: that
    // copy may not have been recorded yet.
    if (!offer)
        return;
    m_reading.offer = offer;
    m_reading.plan = WaylandOffers::plan(m_offers.value(offer), m_unheld);
    m_reading.deadline = std::chrono::steady_clock::now() + m_limits.total;
    if (m_reading.plan.isEmpty() && !m_offers.value(offer).isEmpty()) {
        // Not read at all, but its types still tell the main thread what was copied.
        m_reading.plan = WaylandOffers::plan(m_offers.value(offer));
        m_reading.next = m_reading.plan.size();
    }
    readNext();
}

void WaylandDataDevice::readNext()
{
    Reading &r = m_reading;
    const auto now = std::chrono::steady_clock::now();
    if (r.next < r.plan.size() && now < r.deadline) {
        const QString mime = r.plan.at(r.next++).mime;
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) {
            r.bytes.insert(mime, std::nullopt);
            return readNext();
        }
        zwlr_data_control_offer_v1_receive(r.offer, mime.toUtf8().constData(), fds[1]);
        ::close(fds[1]);
        m_connection.flush();
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(r.deadline - now);
        r.reader = new PipeReader(
            fds[0], std::min(m_limits.perType, left),
            [this, mime](bool complete, const QByteArray &bytes) {
                if (!complete)
                    qCWarning(lcVaru, "O dono do clipboard não entregou %s a tempo ou "
                                      "passou do tamanho máximo", qUtf8Printable(mime));
                // An owner that cannot give a type gives nothing, as on X11.
                if (complete && !bytes.isEmpty())
                    m_reading.bytes.insert(mime, bytes);
                else
                    m_reading.bytes.insert(mime, std::nullopt);
                m_reading.reader->deleteLater();
                m_reading.reader = nullptr;
                readNext();
            },
            this);
        return;
    }
    WaylandOffers::Snapshot snapshot = WaylandOffers::snapshot(r.plan, r.bytes);
    abandonReading();
    m_deliver(std::move(snapshot));
}

void WaylandDataDevice::abandonReading()
{
    delete m_reading.reader;
    destroyOffer(m_reading.offer);
    m_reading = Reading{};
}

void WaylandDataDevice::primarySelection(zwlr_data_control_offer_v1 *offer)
{
    // Only the clipboard is recorded; the primary selection is written, never read.
    if (offer != m_reading.offer)
        destroyOffer(offer);
}

void WaylandDataDevice::finished()
{
    abandonReading();
    zwlr_data_control_device_v1_destroy(m_device);
    m_device = nullptr;
    qCWarning(lcVaru, "O compositor encerrou o acesso ao clipboard");
}

zwlr_data_control_source_v1 *WaylandDataDevice::makeSource(const Offer &offer)
{
    const WaylandConnection::Globals &g = m_connection.globals();
    zwlr_data_control_source_v1 *source = zwlr_data_control_manager_v1_create_data_source(g.dataControl);
    zwlr_data_control_source_v1_add_listener(source, &kSourceListener, this);
    for (const auto &entry : offer)
        zwlr_data_control_source_v1_offer(source, entry.first.toUtf8().constData());
    m_sources.insert(source, offer);
    return source;
}

void WaylandDataDevice::write(const Offer &offer)
{
    if (!m_device)
        return;
    // Set before the request: the selection event that echoes it must find it.
    m_clipboardSource = makeSource(offer);
    zwlr_data_control_device_v1_set_selection(m_device, m_clipboardSource);
    m_connection.flush();
}

void WaylandDataDevice::writePrimary(const Offer &offer)
{
    if (!m_device || m_connection.globals().dataControlVersion < 2)
        return;
    m_primarySource = makeSource(offer);
    zwlr_data_control_device_v1_set_primary_selection(m_device, m_primarySource);
    m_connection.flush();
}

void WaylandDataDevice::send(zwlr_data_control_source_v1 *source, const char *mime, int fd)
{
    const Offer offer = m_sources.value(source);
    for (const auto &[name, bytes] : offer) {
        if (name == QLatin1String(mime)) {
            new PipeWriter(fd, bytes, m_limits.send, this);
            return;
        }
    }
    ::close(fd);
}

void WaylandDataDevice::cancelled(zwlr_data_control_source_v1 *source)
{
    if (source == m_clipboardSource)
        m_clipboardSource = nullptr;
    if (source == m_primarySource)
        m_primarySource = nullptr;
    m_sources.remove(source);
    zwlr_data_control_source_v1_destroy(source);
}
