#pragma once
// Keeps the last snapshot and brings it up to date from what changed since, so a capture
// costs the same with ten cards or ten thousand. Triggers on the store's own connection note
// the changed cards and tabs; anything it cannot account for reads everything again.

#include "Snapshot.h"

#include <functional>

class Store;

// Lives on the store's queue, like the store it reads.
class SnapshotTracker
{
public:
    // Installs the change notes (temporary tables and triggers: nothing is written to the
    // file). Throws StoreError.
    // `prepare`, when given, is applied to every card as it is read, before it is kept.
    using Prepare = std::function<void(ClipItem &)>;
    explicit SnapshotTracker(Store &store, Prepare prepare = {});

    // The snapshot as of now: the last one patched with the changed rows, or a full read
    // the first time, when the limit changed, when another connection wrote, or when too
    // much changed for patching to pay.
    Snapshot next(qint64 historyLimit);

    // How the last `next` came about, for tests and benchmarks.
    bool lastWasFull() const { return m_lastWasFull; }

private:
    Snapshot full(qint64 historyLimit);
    bool patch(qint64 historyLimit);
    void forget();
    qint64 dataVersion();

    Store &m_store;
    Prepare m_prepare;
    Snapshot m_last;
    qint64 m_limit = -1;
    qint64 m_version = -1;
    bool m_valid = false;
    bool m_lastWasFull = false;
};
