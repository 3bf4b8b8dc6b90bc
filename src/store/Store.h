#pragma once
// The clip store: the one writing connection to varu.sqlite and the serial queue (a thread of
// its own) on which its every statement runs. Opening it creates or migrates the schema.

#include "Connection.h"
#include "Snapshot.h"
#include "StagedBackup.h"
#include "StoreReader.h"

#include "core/CapturedClip.h"

#include <QString>
#include <QStringList>
#include <QThread>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

// Every operation below runs on the caller's thread, which must be the store's queue; each
// throws StoreError when a statement cannot be prepared or run.
class Store
{
public:
    // What a backup file holds: one tab, or the history and every tab.
    struct ExportScope
    {
        std::optional<QString> tabID; // none: everything

        static ExportScope everything() { return {}; }
        static ExportScope userTab(const QString &id) { return {id}; }
    };

    // What an import added: cards new by content, and tabs it had to create.
    struct ImportResult
    {
        qint64 items = 0;
        qint64 tabs = 0;
    };

    // What a capture would make of a card's content: a backup file's own kind, title and
    // thumbnail are never believed.
    struct Recognized
    {
        ClipKind kind = ClipKind::Text;
        QString title;
        std::optional<QByteArray> thumbnail;
    };
    using Recognizer = std::function<Recognized(const QList<Representation> &)>;

    // The most one card from a backup may hold, as for a capture (250 MiB).
    static constexpr qint64 kMaxCardBytes = 250LL * 1024 * 1024;

    static double currentTime(); // seconds since 1970

    // Opens or creates the database at `path` and brings it up to date, on the calling
    // thread. Throws StoreError.
    static std::unique_ptr<Store> open(const QString &path);
    // Stops the queue (work not yet started is abandoned, a wait for a lock ends) and closes
    // the connection.
    ~Store();

    Store(const Store &) = delete;
    Store &operator=(const Store &) = delete;

    const QString &path() const { return m_path; }
    // How the store's thread waits before trying a lock held by another process again
    // (tests replace the sleep). A write waits up to about 30 s before it fails.
    void setBusyWait(std::function<void(int ms)> wait) { m_busyWait = std::move(wait); }
    // True when the file at path() is no longer the one this store writes to (replaced or
    // removed while running): what is written from then on is lost at exit.
    bool fileReplaced() const;
    Connection &db() { return *m_db; }

    // The serial queue. `post` runs the work later on the store's thread, in submission order;
    // `sync` runs it there and waits (or runs it at once when already on that thread).
    void post(std::function<void(Store &)> work);
    void sync(const std::function<void(Store &)> &work);
    bool onQueue() const;
    QThread *queueThread() { return &m_thread; }

    // A card's representations as last committed, from any thread, read on a second
    // connection so it never waits behind the queue. An in-memory database cannot be shared
    // between connections, so there the read goes through the queue. Throws StoreError.
    QList<Representation> committedRepresentations(const QString &itemID);
    // A card's thumbnail the same way: snapshots carry only its size. Throws StoreError.
    std::optional<QByteArray> committedThumbnail(const QString &itemID);

    // Recording captures and history upkeep (StoreHistory.cpp).
    // A known checksum moves its card to the top; new content becomes a card with its
    // representations, in one transaction.
    void upsert(const CapturedClip &clip, const std::optional<QByteArray> &thumbnail,
                double now = currentTime());
    // upsert's first half: moves the card of a known checksum to the top; false when the
    // content is new (so a caller can skip making a thumbnail the store would not keep).
    bool refresh(const CapturedClip &clip, double now);
    void prune(qint64 keeping); // the count limit; negative keeps everything
    // The age limit; below one day nothing expires. Returns how many cards left the history.
    qint64 expire(qint64 olderThanDays, double now);
    // A paste or copy moves history cards to the top; cards only in tabs keep their time.
    void touch(const QStringList &ids, double now = currentTime());
    void removeFromHistory(const QStringList &ids);
    void removeFromTab(const QString &tabID, const QStringList &ids);
    void clearHistory(); // cards in tabs survive, outside the history

    // Reads (StoreReads.cpp). `complete`, when given, tells whether a list read to its end.
    QList<ClipItem> history(qint64 limit, bool *complete = nullptr); // newest first
    QList<ClipItem> tabItems(const QString &tabID, bool *complete = nullptr); // newest first
    QList<UserTab> tabs();                                        // tab-bar order
    QList<Representation> representations(const QString &itemID); // stored order
    // History, tabs and every tab's cards; a part that cannot be read is empty (or short), and
    // `complete`, when given, is false then.
    Snapshot snapshot(qint64 historyLimit, bool *complete = nullptr);

    // Tabs and card edits (StoreTabs.cpp).
    QString createTab(const QString &name, const QString &color, double now = currentTime());
    void updateTab(const QString &id, const QString &name, const QString &color);
    void deleteTab(const QString &id); // cards left in no tab and not in the history go too
    // Puts a card into a tab, or moves it to the front when it is there already.
    void add(const QString &itemID, const QString &tabID, double now = currentTime());
    // A blank or absent name clears the custom title.
    void rename(const QString &id, const std::optional<QString> &name);
    // Replaces the content with text; merges with another card that already holds it.
    void updateText(const QString &id, const QString &text, ClipKind kind);

    // Backup files (StoreBackup.cpp).
    // Writes a compacted copy beside `path` and renames it over `path` only once complete.
    void exportTo(const QString &path, const ExportScope &scope);
    // Merges a backup file in one transaction: on any failure the live database is unchanged.
    // The file is first copied beside the database (staged), so it must be a regular file
    // that fits on the disk with room to spare. Each card is taken by its content: checksum,
    // kind, title and thumbnail are made again (by `recognize`, or as plain text without
    // one), times are brought into the past, and a card whose content is known merges into
    // the existing one.
    ImportResult importData(const QString &path, const Recognizer &recognize = {},
                            double now = currentTime());
    // The merge itself, of a file already staged (possibly on another thread).
    ImportResult importStaged(const StagedBackup &file, const Recognizer &recognize = {},
                              double now = currentTime());
    // Where a backup is staged (safe from any thread), and the largest file that may be
    // staged in `folder` now: what the disk holds, less a margin, for the copy and the merge.
    QString stagingFolder() const;
    static qint64 stagingLimit(const QString &folder);

private:
    Store(const QString &path, std::unique_ptr<Connection> db, std::unique_ptr<StoreReader> reader);
    static int onBusy(void *store, int attempt);

    // A new card or tab id: a random UUID in upper case.
    static QString newID();
    void insertReps(const QList<Representation> &reps, const QString &itemID);
    // Deletes cards that are in neither the history nor a tab, then returns free pages to
    // the file system when it deleted any. True when it deleted any.
    bool purge();
    // Pushes deleted content out of the write-ahead log as well, after user deletions.
    void scrubLog();
    // The same after cards left by the count or age limit; a failure is only logged.
    void scrubAfterLimits();
    // Runs `work` between BEGIN and COMMIT; on failure rolls back and rethrows.
    void transaction(const std::function<void()> &work);
    // Runs a user deletion, then scrubs the log even when it stopped halfway.
    void deleting(const std::function<void()> &work);
    bool isLiveFile(const QString &path) const;
    void mergeFile(const Recognizer &recognize, double now, ImportResult &result);

    QString m_path;
    std::unique_ptr<Connection> m_db;
    std::unique_ptr<StoreReader> m_reader; // none for an in-memory database
    QThread m_thread;
    QObject *m_context = nullptr;
    std::function<void(int ms)> m_busyWait;
    std::atomic<bool> m_closing{false};
    // A scrub after the limits is waiting on the store's thread.
    bool m_limitScrubPending = false;
    static constexpr int kLimitScrubDelayMs = 1000;
    quint64 m_device = 0; // of the file opened, to notice it being replaced
    quint64 m_inode = 0;
};
