#pragma once
// The clip store: the only connection to varu.sqlite and the serial queue (a thread of its
// own) on which every statement runs. Opening it creates or migrates the schema.

#include "Connection.h"

#include <QString>
#include <QThread>

#include <functional>
#include <memory>

class Store
{
public:
    // Opens or creates the database at `path` and brings it up to date, on the calling
    // thread. Throws StoreError.
    static std::unique_ptr<Store> open(const QString &path);
    // Stops the queue (work not yet started is abandoned) and closes the connection.
    ~Store();

    Store(const Store &) = delete;
    Store &operator=(const Store &) = delete;

    const QString &path() const { return m_path; }
    Connection &db() { return *m_db; }

    // The serial queue. `post` runs the work later on the store's thread, in submission order;
    // `sync` runs it there and waits (or runs it at once when already on that thread).
    void post(std::function<void(Store &)> work);
    void sync(const std::function<void(Store &)> &work);
    bool onQueue() const;
    QThread *queueThread() { return &m_thread; }

private:
    Store(const QString &path, std::unique_ptr<Connection> db);

    QString m_path;
    std::unique_ptr<Connection> m_db;
    QThread m_thread;
    QObject *m_context = nullptr;
};
