// Opening the store: settings of the connection, the schema, migration of old files, and
// files that must be refused.

#include "store/Store.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

class TestSchema : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_n = 0;

    QString freshPath() { return m_dir.filePath(u"db%1.sqlite"_qs.arg(++m_n)); }

    static QString schemaOf(Store &store)
    {
        return store.db()
            .column("SELECT name || ':' || COALESCE(sql, '') FROM sqlite_master ORDER BY name")
            .join(u'\n');
    }

private Q_SLOTS:
    void newFileGetsSettingsAndSchema()
    {
        const QString path = freshPath();
        auto store = Store::open(path);
        Connection &db = store->db();
        QCOMPARE(db.scalarText("PRAGMA auto_vacuum"), u"2"_qs);
        QCOMPARE(db.scalarText("PRAGMA journal_mode"), u"wal"_qs);
        QCOMPARE(db.scalarText("PRAGMA foreign_keys"), u"1"_qs);
        QCOMPARE(db.scalarText("PRAGMA secure_delete"), u"1"_qs);
        QCOMPARE(db.column("SELECT name FROM sqlite_master WHERE type = 'index' AND sql IS NOT NULL "
                           "ORDER BY name"),
                 QStringList({u"board_items_item"_qs, u"items_history"_qs, u"reps_item"_qs}));
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &st), 0);
        QCOMPARE(int(st.st_mode & 0777), 0600);
    }

    void openingTwiceChangesNothing()
    {
        const QString path = freshPath();
        QString first;
        {
            auto store = Store::open(path);
            store->db().run("INSERT INTO items (id, created_at, kind, title, checksum, total_bytes) "
                            "VALUES ('A', 1, 'text', 't', 'c', 1)");
            first = schemaOf(*store);
        }
        auto again = Store::open(path);
        QCOMPARE(schemaOf(*again), first);
        QCOMPARE(again->db().scalarText("SELECT COUNT(*) FROM items"), u"1"_qs);
    }

    void oldFilesAreMigrated()
    {
        const QString path = freshPath();
        {
            auto conn = Connection::open(path);
            conn->exec(R"(CREATE TABLE items (id TEXT PRIMARY KEY, created_at REAL NOT NULL,
                kind TEXT NOT NULL, title TEXT NOT NULL, checksum TEXT NOT NULL UNIQUE,
                source_bundle TEXT, source_name TEXT, total_bytes INTEGER NOT NULL, thumbnail BLOB);
                CREATE INDEX items_created ON items(created_at DESC);
                INSERT INTO items VALUES ('A', 1, 'text', 't', 'c', NULL, NULL, 1, NULL);)");
        }
        auto store = Store::open(path);
        Connection &db = store->db();
        QVERIFY(db.columnExists(u"items"_qs, u"in_history"_qs));
        QVERIFY(db.columnExists(u"items"_qs, u"custom_title"_qs));
        QCOMPARE(db.scalarText("SELECT in_history FROM items WHERE id = 'A'"), u"1"_qs);
        QCOMPARE(db.scalarText("SELECT custom_title FROM items WHERE id = 'A'"), std::nullopt);
        QCOMPARE(db.scalarText("SELECT COUNT(*) FROM sqlite_master WHERE name = 'items_created'"),
                 u"0"_qs);
    }

    void filesThatAreNotDatabasesAreRefusedUntouched()
    {
        const QString path = freshPath();
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        const QByteArray garbage(5000, 'g');
        f.write(garbage);
        f.close();
        try {
            Store::open(path);
            QFAIL("a garbage file must not open");
        } catch (const StoreError &e) {
            QCOMPARE(e.describe(), u"sql(\"file is not a database\")"_qs);
        }
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), garbage);
        QVERIFY(!QFile::exists(path + u"-wal"_qs));
    }

    void queueRunsWorkInOrderOnItsOwnThread()
    {
        auto store = Store::open(freshPath());
        QStringList seen;
        QThread *mainThread = QThread::currentThread();
        for (int i = 0; i < 50; ++i) {
            store->post([&seen, i, mainThread](Store &) {
                if (QThread::currentThread() != mainThread)
                    seen << QString::number(i);
            });
        }
        QString last;
        store->sync([&](Store &s) { last = s.queueThread()->objectName(); });
        QCOMPARE(seen.size(), 50);
        QCOMPARE(seen.first(), u"0"_qs);
        QCOMPARE(seen.last(), u"49"_qs);
        QCOMPARE(last, u"com.teko.varu.store"_qs);
        QVERIFY_THROWS_EXCEPTION(StoreError, store->sync([](Store &s) { s.db().exec("BOGUS"); }));
    }
};

QTEST_GUILESS_MAIN(TestSchema)
#include "tst_schema.moc"
