#include "StoreFunnel.h"

#include "platform/Log.h"
#include "store/SnapshotTracker.h"
#include "strip/model/CardSearchIndex.h"

#include <QMetaObject>
#include <QMutex>
#include <QMutexLocker>

#include <atomic>

// What the queued blocks share with the funnel. `funnel` is cleared when the funnel goes, so
// a block that runs later does nothing; posting under the lock keeps a snapshot from being
// posted to a funnel that is being destroyed (its destructor then discards it).
struct StoreFunnel::Shared
{
    std::atomic<qint64> historyLimit{1000};
    QMutex mutex;
    StoreFunnel *funnel = nullptr;
    std::unique_ptr<SnapshotTracker> tracker; // only on the store's queue

    // The snapshot after a change: patched from the last one, or read whole when the tracker
    // could not be set up.
    Snapshot snapshot(Store &store)
    {
        const qint64 limit = historyLimit.load();
        if (!tracker) {
            try {
                tracker = std::make_unique<SnapshotTracker>(store, &CardSearchIndex::compact);
            } catch (const StoreError &e) {
                qCWarning(lcVaru, "Erro no banco: %s", qUtf8Printable(e.describe()));
                return store.snapshot(limit);
            }
        }
        return tracker->next(limit);
    }

    bool alive()
    {
        QMutexLocker lock(&mutex);
        return funnel != nullptr;
    }

    // Runs `f` with the funnel on the main thread, unless the funnel is gone by then.
    void toMain(std::function<void(StoreFunnel *)> f)
    {
        QMutexLocker lock(&mutex);
        if (!funnel)
            return;
        QMetaObject::invokeMethod(
            funnel, [target = funnel, f = std::move(f)] { f(target); }, Qt::QueuedConnection);
    }
};

namespace {

void runLogged(const std::function<void(Store &)> &body, Store &store)
{
    try {
        body(store);
    } catch (const StoreError &e) {
        qCCritical(lcVaru, "Erro no banco: %s", qUtf8Printable(e.describe()));
    } catch (const std::exception &e) {
        qCCritical(lcVaru, "Erro no banco: %s", e.what());
    } catch (...) {
        qCCritical(lcVaru, "Erro no banco: %s", "erro desconhecido");
    }
}

} // namespace

StoreFunnel::StoreFunnel(Store *store, QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_shared(std::make_shared<Shared>())
{
    m_shared->funnel = this;
}

StoreFunnel::~StoreFunnel()
{
    QMutexLocker lock(&m_shared->mutex);
    m_shared->funnel = nullptr;
}

void StoreFunnel::onStore(std::function<void(Store &)> body)
{
    onStore(std::move(body), {});
}

void StoreFunnel::onStore(std::function<void(Store &)> body, std::function<void()> then)
{
    if (!m_store)
        return;
    m_store->post([shared = m_shared, body = std::move(body),
                   then = std::move(then)](Store &store) mutable {
        if (!shared->alive())
            return;
        runLogged(body, store);
        Snapshot snapshot = shared->snapshot(store);
        shared->toMain([snapshot = std::move(snapshot), then = std::move(then)](StoreFunnel *f) {
            Q_EMIT f->snapshotReady(snapshot);
            if (then)
                then();
        });
    });
}

void StoreFunnel::onQueue(std::function<void(Store &)> work, std::function<void()> then)
{
    if (!m_store)
        return;
    m_store->post(
        [shared = m_shared, work = std::move(work), then = std::move(then)](Store &store) mutable {
            if (!shared->alive())
                return;
            work(store);
            shared->toMain([then = std::move(then)](StoreFunnel *) {
                if (then)
                    then();
            });
        });
}

QList<Representation> StoreFunnel::representations(const ClipItem &item)
{
    if (!m_store)
        return {};
    try {
        return m_store->committedRepresentations(item.id);
    } catch (const StoreError &e) {
        qCCritical(lcVaru, "Erro no banco: %s", qUtf8Printable(e.describe()));
        return {};
    }
}

QString StoreFunnel::stagingFolder() const
{
    return m_store ? m_store->stagingFolder() : QString();
}

std::optional<QByteArray> StoreFunnel::thumbnail(const QString &itemID)
{
    if (!m_store)
        return std::nullopt;
    try {
        return m_store->committedThumbnail(itemID);
    } catch (const StoreError &e) {
        qCCritical(lcVaru, "Erro no banco: %s", qUtf8Printable(e.describe()));
        return std::nullopt;
    }
}

void StoreFunnel::setHistoryLimit(qint64 limit)
{
    m_shared->historyLimit.store(limit);
}
