#include "StoreFunnel.h"

#include "platform/Log.h"

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

    bool alive()
    {
        QMutexLocker lock(&mutex);
        return funnel != nullptr;
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
    if (!m_store)
        return;
    m_store->post([shared = m_shared, body = std::move(body)](Store &store) {
        if (!shared->alive())
            return;
        runLogged(body, store);
        Snapshot snapshot = store.snapshot(shared->historyLimit.load());

        QMutexLocker lock(&shared->mutex);
        StoreFunnel *funnel = shared->funnel;
        if (!funnel)
            return;
        QMetaObject::invokeMethod(
            funnel,
            [funnel, snapshot = std::move(snapshot)] { Q_EMIT funnel->snapshotReady(snapshot); },
            Qt::QueuedConnection);
    });
}

QList<Representation> StoreFunnel::representations(const ClipItem &item)
{
    if (!m_store)
        return {};
    QList<Representation> reps;
    try {
        m_store->sync([&](Store &store) { reps = store.representations(item.id); });
    } catch (const StoreError &e) {
        qCCritical(lcVaru, "Erro no banco: %s", qUtf8Printable(e.describe()));
        return {};
    }
    return reps;
}

void StoreFunnel::setHistoryLimit(qint64 limit)
{
    m_shared->historyLimit.store(limit);
}

qint64 StoreFunnel::historyLimit() const
{
    return m_shared->historyLimit.load();
}
