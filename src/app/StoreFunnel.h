#pragma once
// The one way the shell changes the database: each body runs on the store's queue, a failure
// is logged, and afterwards exactly one fresh snapshot reaches the main thread, in order.

#include "store/Snapshot.h"
#include "store/Store.h"

#include <QObject>

#include <functional>
#include <memory>

class StoreFunnel : public QObject
{
    Q_OBJECT

public:
    // Lives on the main thread; `store` must outlive it or stop its queue first.
    explicit StoreFunnel(Store *store, QObject *parent = nullptr);
    ~StoreFunnel() override;

    // Runs `body` later on the store's queue, then reloads. Bodies run in submission order
    // and each is followed by exactly one `snapshotReady`, also when it fails.
    void onStore(std::function<void(Store &)> body);
    // The same; `then` runs on the main thread right after the snapshot has been delivered.
    void onStore(std::function<void(Store &)> body, std::function<void()> then);
    // Runs `work` on the store's queue with no reload (it must handle its own failures);
    // `then` runs on the main thread afterwards. Nothing runs once the funnel is gone.
    void onQueue(std::function<void(Store &)> work, std::function<void()> then);

    // A card's representations as last committed, read at once rather than behind queued
    // work (an export must not hold up a paste); empty on failure.
    QList<Representation> representations(const ClipItem &item);
    // A card's thumbnail, read the same way, from any thread; none on failure.
    std::optional<QByteArray> thumbnail(const QString &itemID);

    // Where a backup file is copied before it is imported; safe from any thread.
    QString stagingFolder() const;

    // The number of history cards a reload reads; safe from any thread.
    void setHistoryLimit(qint64 limit);

Q_SIGNALS:
    void snapshotReady(const Snapshot &snapshot);

private:
    struct Shared;

    Store *m_store;
    std::shared_ptr<Shared> m_shared;
};
