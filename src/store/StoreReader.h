#pragma once
// A second, read-only connection to the store's file for the content of a card, so that a
// paste never waits behind an export or import: in WAL mode it reads the last committed state
// while the store's thread writes.

#include "Connection.h"

#include "core/Representation.h"

#include <QMutex>

#include <memory>

class StoreReader
{
public:
    // Opens the database file at `path`, which must exist and already be in WAL mode.
    // Throws StoreError::open.
    static std::unique_ptr<StoreReader> open(const QString &path);

    // A card's representations in stored order, as last committed; empty for an unknown card.
    // Safe from any thread. Throws StoreError.
    QList<Representation> representations(const QString &itemID);

    // The same read on any connection (the store's own reads use it too).
    static QList<Representation> representations(Connection &db, const QString &itemID);

    // A card's thumbnail (PNG) as last committed; none for a card without one or an unknown
    // card. Safe from any thread. Throws StoreError.
    std::optional<QByteArray> thumbnail(const QString &itemID);
    static std::optional<QByteArray> thumbnail(Connection &db, const QString &itemID);

private:
    explicit StoreReader(std::unique_ptr<Connection> db)
        : m_db(std::move(db))
    {}

    QMutex m_mutex;
    std::unique_ptr<Connection> m_db;
};
