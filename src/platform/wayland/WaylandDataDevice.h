#pragma once
// The clipboard as the data-control protocol shows it, on the protocol thread: every new
// selection of another client is read in full (one type after another, each and all of them
// within a time limit) and handed over as a snapshot; our own writes become a source that
// serves every type from memory. The echo of our own source is not a new selection.

#include "WaylandOffers.h"

#include <QHash>
#include <QObject>
#include <QPointer>

#include <chrono>
#include <functional>

class PipeReader;
class WaylandConnection;
struct zwlr_data_control_device_v1;
struct zwlr_data_control_offer_v1;
struct zwlr_data_control_source_v1;

// How long an owner may take to give one type and all of them, and a reader to take ours.
struct TransferLimits
{
    std::chrono::milliseconds perType{1000};
    std::chrono::milliseconds total{3000};
    std::chrono::milliseconds send{5000};
};

class WaylandDataDevice : public QObject
{
public:
    using Offer = QList<std::pair<QString, QByteArray>>;
    // Runs on the protocol thread with each snapshot read.
    using Deliver = std::function<void(WaylandOffers::Snapshot)>;

    WaylandDataDevice(WaylandConnection &connection, Deliver deliver, TransferLimits limits = {});
    ~WaylandDataDevice() override;

    // Everything below runs on the protocol thread (post it there).
    void start();
    void setUnheld(const QStringList &storedTypes) { m_unheld = storedTypes; }
    void write(const Offer &offer);
    void writePrimary(const Offer &offer);

    // libwayland callbacks
    void offerAppeared(zwlr_data_control_offer_v1 *offer);
    void offerType(zwlr_data_control_offer_v1 *offer, const char *mime);
    void selection(zwlr_data_control_offer_v1 *offer);
    void primarySelection(zwlr_data_control_offer_v1 *offer);
    void finished();
    void send(zwlr_data_control_source_v1 *source, const char *mime, int fd);
    void cancelled(zwlr_data_control_source_v1 *source);

private:
    struct Reading
    {
        zwlr_data_control_offer_v1 *offer = nullptr;
        QList<WaylandOffers::Read> plan;
        qsizetype next = 0;
        QHash<QString, std::optional<QByteArray>> bytes;
        std::chrono::steady_clock::time_point deadline;
        QPointer<PipeReader> reader;
    };

    zwlr_data_control_source_v1 *makeSource(const Offer &offer);
    void destroyOffer(zwlr_data_control_offer_v1 *offer);
    void abandonReading();
    void readNext();

    WaylandConnection &m_connection;
    Deliver m_deliver;
    TransferLimits m_limits;
    QStringList m_unheld;
    zwlr_data_control_device_v1 *m_device = nullptr;
    QHash<zwlr_data_control_offer_v1 *, QStringList> m_offers;
    QHash<zwlr_data_control_source_v1 *, Offer> m_sources;
    zwlr_data_control_source_v1 *m_clipboardSource = nullptr;
    zwlr_data_control_source_v1 *m_primarySource = nullptr;
    Reading m_reading;
};
