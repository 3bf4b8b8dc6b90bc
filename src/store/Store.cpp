#include "Store.h"

#include "Schema.h"

#include "platform/Log.h"

#include <QDateTime>
#include <QFileInfo>
#include <QFile>
#include <QMetaObject>

#include <sqlite3.h>

#include <algorithm>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// While the schema is prepared; afterwards onBusy decides.
constexpr int kBusyTimeoutMs = 1000;
// Another process holding the database (a backup tool, a VACUUM) is waited for this long,
// retrying with growing pauses of up to kMaxBusyPauseMs, before a write gives up.
constexpr int kBusyWaitMs = 30'000;
constexpr int kMaxBusyPauseMs = 100;

// SQLite creates files with 0644; the history is private, so a new file starts as 0600.
// Its -wal and -shm files inherit the database file's mode.
void createPrivateFile(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
    if (fd >= 0)
        ::close(fd);
}

void makePrivate(const QString &path)
{
    struct stat st
    {};
    const QByteArray native = QFile::encodeName(path);
    if (::stat(native.constData(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & 077))
        ::chmod(native.constData(), st.st_mode & 0700);
}

} // namespace

double Store::currentTime()
{
    return QDateTime::currentMSecsSinceEpoch() / 1000.0;
}

std::unique_ptr<Store> Store::open(const QString &path)
{
    const bool inMemory = path == QLatin1String(":memory:");
    if (!inMemory && !QFileInfo::exists(path))
        createPrivateFile(path);
    std::unique_ptr<Connection> db = Connection::open(path);
    if (!inMemory)
        StagedBackup::removeLeftovers(QFileInfo(path).absolutePath());
    sqlite3_busy_timeout(db->handle(), kBusyTimeoutMs);
    Schema::prepare(*db);
    // A file we may read but not write would fail every capture later; refuse it now.
    if (sqlite3_db_readonly(db->handle(), "main") == 1)
        throw StoreError::sql(QStringLiteral("attempt to write a readonly database"));
    makePrivate(path);

    // The file SQLite actually opened (empty for a database in memory), once it is in WAL mode.
    const char *file = sqlite3_db_filename(db->handle(), "main");
    std::unique_ptr<StoreReader> reader;
    if (file && *file)
        reader = StoreReader::open(QFile::decodeName(file));
    return std::unique_ptr<Store>(new Store(path, std::move(db), std::move(reader)));
}

Store::Store(const QString &path, std::unique_ptr<Connection> db,
             std::unique_ptr<StoreReader> reader)
    : m_path(path)
    , m_db(std::move(db))
    , m_reader(std::move(reader))
{
    struct stat st
    {};
    if (::stat(QFile::encodeName(m_path).constData(), &st) == 0) {
        m_device = st.st_dev;
        m_inode = st.st_ino;
    }
    m_busyWait = [](int ms) { QThread::msleep(ms); };
    // A user deletion's log scrub also waits here for a read in progress on the second
    // connection instead of giving up and leaving the deleted content in the log.
    sqlite3_busy_handler(m_db->handle(), &Store::onBusy, this);
    m_thread.setObjectName(QStringLiteral("com.teko.varu.store"));
    m_context = new QObject;
    m_context->moveToThread(&m_thread);
    m_thread.start();
}

Store::~Store()
{
    // Quitting waits for the store's thread: a write waiting for another process's lock
    // gives up now.
    m_closing = true;
    m_thread.quit();
    m_thread.wait();
    delete m_context;
    // The writer must close last: only the last connection to close checkpoints the log and
    // removes it.
    m_reader.reset();
    m_db.reset();
}

void Store::post(std::function<void(Store &)> work)
{
    QMetaObject::invokeMethod(
        m_context,
        [this, work = std::move(work)] {
            // Callers handle their own failures; this only keeps a stray one from ending
            // the process.
            try {
                work(*this);
            } catch (const std::exception &e) {
                qCCritical(lcVaru, "Erro no banco: %s", e.what());
            }
        },
        Qt::QueuedConnection);
}

void Store::sync(const std::function<void(Store &)> &work)
{
    if (onQueue()) {
        work(*this);
        return;
    }
    // An exception thrown on the store's thread is handed back to the caller's.
    std::exception_ptr failure;
    QMetaObject::invokeMethod(
        m_context,
        [this, &work, &failure] {
            try {
                work(*this);
            } catch (...) {
                failure = std::current_exception();
            }
        },
        Qt::BlockingQueuedConnection);
    if (failure)
        std::rethrow_exception(failure);
}

QList<Representation> Store::committedRepresentations(const QString &itemID)
{
    if (m_reader)
        return m_reader->representations(itemID);
    QList<Representation> reps;
    sync([&](Store &store) { reps = store.representations(itemID); });
    return reps;
}

int Store::onBusy(void *context, int attempt)
{
    auto *store = static_cast<Store *>(context);
    // Pauses of 1, 2, 4 … ms up to the longest; a store that is closing waits no more.
    if (store->m_closing || attempt >= kBusyWaitMs / kMaxBusyPauseMs)
        return 0;
    store->m_busyWait(std::min(1 << std::min(attempt, 7), kMaxBusyPauseMs));
    return 1;
}

bool Store::fileReplaced() const
{
    if (m_inode == 0)
        return false; // in memory
    struct stat st
    {};
    return ::stat(QFile::encodeName(m_path).constData(), &st) != 0 || st.st_dev != m_device ||
           st.st_ino != m_inode;
}

std::optional<QByteArray> Store::committedThumbnail(const QString &itemID)
{
    if (m_reader)
        return m_reader->thumbnail(itemID);
    std::optional<QByteArray> bytes;
    sync([&](Store &store) { bytes = StoreReader::thumbnail(store.db(), itemID); });
    return bytes;
}

bool Store::onQueue() const
{
    return QThread::currentThread() == &m_thread;
}
