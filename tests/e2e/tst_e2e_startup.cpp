// Starting varu on a fresh desktop: the data folder, the database file and its schema, the
// configuration file, single instance, migration of old files, a malformed configuration, and
// every way a start fails.

#include "DbProbe.h"
#include "DesktopSession.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <sqlite3.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// The schema as the first version wrote it, kept here independently of the code under test.
const char *const kExpectedSchema = R"(CREATE TABLE IF NOT EXISTS items (
    id TEXT PRIMARY KEY,
    created_at REAL NOT NULL,
    kind TEXT NOT NULL,
    title TEXT NOT NULL,
    checksum TEXT NOT NULL UNIQUE,
    source_bundle TEXT,
    source_name TEXT,
    total_bytes INTEGER NOT NULL,
    thumbnail BLOB,
    in_history INTEGER NOT NULL DEFAULT 1,
    custom_title TEXT
);
CREATE TABLE IF NOT EXISTS representations (
    item_id TEXT NOT NULL REFERENCES items(id) ON DELETE CASCADE,
    idx INTEGER NOT NULL,
    uti TEXT NOT NULL,
    data BLOB NOT NULL
);
CREATE INDEX IF NOT EXISTS reps_item ON representations(item_id);
CREATE TABLE IF NOT EXISTS boards (
    id TEXT PRIMARY KEY,
    name TEXT NOT NULL,
    color TEXT NOT NULL,
    position INTEGER NOT NULL,
    created_at REAL NOT NULL
);
CREATE TABLE IF NOT EXISTS board_items (
    board_id TEXT NOT NULL REFERENCES boards(id) ON DELETE CASCADE,
    item_id TEXT NOT NULL REFERENCES items(id) ON DELETE CASCADE,
    added_at REAL NOT NULL,
    PRIMARY KEY (board_id, item_id)
);
CREATE INDEX IF NOT EXISTS board_items_item ON board_items(item_id);
CREATE INDEX IF NOT EXISTS items_history ON items(in_history, created_at DESC);)";

bool execSql(const QString &path, const char *sql)
{
    sqlite3 *db = nullptr;
    bool ok = sqlite3_open(QFile::encodeName(path).constData(), &db) == SQLITE_OK &&
              sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

QList<QVariantList> schemaOf(const DbProbe &db)
{
    return db.query(QStringLiteral(
        "SELECT type, name, tbl_name, sql FROM sqlite_master WHERE name NOT LIKE 'sqlite_%' "
        "ORDER BY name"));
}

QByteArray digestOf(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

int modeOf(const QString &path)
{
    struct stat st
    {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return -1;
    return int(st.st_mode & 07777);
}

} // namespace

class E2eStartup : public QObject
{
    Q_OBJECT

    static bool busNameOwned(DesktopSession &s)
    {
        QByteArray out;
        s.run(u"dbus-send"_qs,
              {u"--session"_qs, u"--print-reply"_qs, u"--dest=org.freedesktop.DBus"_qs, u"/"_qs,
               u"org.freedesktop.DBus.NameHasOwner"_qs, u"string:com.teko.varu"_qs},
              &out, 3000);
        return out.contains("boolean true");
    }

    static bool waitUntilRunning(DesktopSession &s, QProcess *varu)
    {
        // The file appears before its schema is written: wait for the tables too.
        const QString dbPath = s.dataDir() + u"/varu.sqlite"_qs;
        return DesktopSession::waitFor([&] {
            return varu->state() == QProcess::Running && busNameOwned(s) && QFile::exists(dbPath) &&
                   DbProbe(dbPath).columnsOf(u"items"_qs).contains(u"custom_title"_qs);
        });
    }

    // Waits for the failure alert, then presses Return on it until the process ends: on a
    // busy machine the first key can reach the window before it takes the keyboard.
    static bool dismissAlert(DesktopSession &s, QProcess *varu)
    {
        QStringList windows;
        if (!DesktopSession::waitFor([&] {
                windows = s.windowsNamed(u"^Varu$"_qs);
                return !windows.isEmpty() || varu->state() != QProcess::Running;
            }) ||
            windows.isEmpty()) {
            qWarning("no failure alert; varu said: %s", varu->readAllStandardError().constData());
            return false;
        }
        for (int attempt = 0; attempt < 10; ++attempt) {
            s.run(u"xdotool"_qs, {u"windowactivate"_qs, u"--sync"_qs, windows.first()}, nullptr,
                  3000);
            s.run(u"xdotool"_qs, {u"key"_qs, u"Return"_qs});
            if (DesktopSession::waitFor([&] { return varu->state() == QProcess::NotRunning; },
                                        1500))
                return varu->exitCode() != 0;
        }
        return false;
    }

private Q_SLOTS:
    void firstStartCreatesItsFilesAndASecondStartHandsOver()
    {
        DesktopSession s;
        QVERIFY2(s.isReady(), qPrintable(s.error()));
        QProcess *varu = s.startVaru();
        QVERIFY(waitUntilRunning(s, varu));

        const QString dbPath = s.dataDir() + u"/varu.sqlite"_qs;
        QCOMPARE(modeOf(s.dataDir()), 0700);
        QCOMPARE(modeOf(dbPath), 0600);
        QCOMPARE(modeOf(s.dataDir() + u"/config.json"_qs), 0600);
        {
            DbProbe db(dbPath);
            QCOMPARE(db.scalar(u"PRAGMA auto_vacuum"_qs).toInt(), 2); // incremental
            QCOMPARE(db.scalar(u"PRAGMA journal_mode"_qs).toString(), u"wal"_qs);
            const QString reference = s.home() + u"/reference.sqlite"_qs;
            QVERIFY(execSql(reference, kExpectedSchema));
            QCOMPARE(schemaOf(db), schemaOf(DbProbe(reference)));
        }

        QFile config(s.dataDir() + u"/config.json"_qs);
        QVERIFY(config.open(QIODevice::ReadOnly));
        const QJsonObject o = QJsonDocument::fromJson(config.readAll()).object();
        QCOMPARE(o.keys(), QStringList({u"copySound"_qs, u"historyLimit"_qs,
                                        u"historyRetentionDays"_qs, u"hotKey"_qs, u"ignoredApps"_qs,
                                        u"ignoredTypes"_qs, u"playSounds"_qs, u"skipSecrets"_qs}));
        QCOMPARE(o.value(u"historyLimit"_qs).toInteger(), 1000);
        QVERIFY(o.value(u"ignoredTypes"_qs)
                    .toVariant()
                    .toStringList()
                    .contains(u"x-kde-passwordManagerHint"_qs));

        // A second start hands over to the running instance and ends.
        QProcess *second = s.startVaru();
        QVERIFY(second->waitForFinished(10000));
        QCOMPARE(second->exitCode(), 0);
        QCOMPARE(varu->state(), QProcess::Running);

        // Logging out (SIGTERM) closes the database cleanly: the log is folded in and removed.
        varu->terminate();
        QVERIFY(varu->waitForFinished(5000));
        QCOMPARE(varu->exitStatus(), QProcess::NormalExit);
        QCOMPARE(varu->exitCode(), 0);
        QVERIFY(!QFile::exists(dbPath + u"-wal"_qs));
    }

    void legacyFileIsMigratedAndMalformedConfigKept()
    {
        DesktopSession s;
        QVERIFY2(s.isReady(), qPrintable(s.error()));
        QVERIFY(QDir().mkpath(s.dataDir()));
        const QString dbPath = s.dataDir() + u"/varu.sqlite"_qs;
        QVERIFY(execSql(dbPath, R"(
            CREATE TABLE items (id TEXT PRIMARY KEY, created_at REAL NOT NULL, kind TEXT NOT NULL,
                title TEXT NOT NULL, checksum TEXT NOT NULL UNIQUE, source_bundle TEXT,
                source_name TEXT, total_bytes INTEGER NOT NULL, thumbnail BLOB);
            CREATE TABLE representations (item_id TEXT NOT NULL REFERENCES items(id) ON DELETE CASCADE,
                idx INTEGER NOT NULL, uti TEXT NOT NULL, data BLOB NOT NULL);
            CREATE INDEX items_created ON items(created_at DESC);
            INSERT INTO items VALUES ('A', 10, 'text', 'old one', 'c1', NULL, NULL, 3, NULL);
            INSERT INTO items VALUES ('B', 20, 'link', 'https://x.org', 'c2', 'x', 'X', 13, NULL);
            INSERT INTO representations VALUES ('A', 0, 'public.utf8-plain-text', X'616263');
        )"));
        const QString config = s.dataDir() + u"/config.json"_qs;
        const QByteArray broken = R"({"historyLimit": "200", "playSounds": false})";
        QFile f(config);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(broken) == broken.size());
        f.close();

        QProcess *varu = s.startVaru();
        QVERIFY(waitUntilRunning(s, varu));
        DbProbe db(dbPath);
        QVERIFY(db.columnsOf(u"items"_qs).contains(u"in_history"_qs));
        QCOMPARE(db.scalar(u"SELECT COUNT(*) FROM items WHERE in_history = 1 "
                           "AND custom_title IS NULL"_qs)
                     .toInt(),
                 2);
        QCOMPARE(db.scalar(u"SELECT group_concat(name, ' ') FROM (SELECT name FROM sqlite_master "
                           "WHERE name NOT LIKE 'sqlite_%' ORDER BY name)"_qs)
                     .toString(),
                 u"board_items board_items_item boards items items_history representations "
                 "reps_item"_qs);
        QCOMPARE(db.scalar(u"SELECT data FROM representations WHERE item_id = 'A'"_qs),
                 QVariant(QByteArray("abc")));

        // A configuration of the wrong types is reported, the defaults run, the file stays.
        varu->terminate();
        QVERIFY(varu->waitForFinished(5000));
        QVERIFY(QString::fromUtf8(varu->readAllStandardError())
                    .contains(u"config.json inválido, usando padrão: historyLimit"_qs));
        QCOMPARE(digestOf(config), QCryptographicHash::hash(broken, QCryptographicHash::Sha256));
    }

    void unusableDatabaseEndsTheStartWithAnAlert_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("directory") << u"directory"_qs;
        QTest::newRow("corrupt") << u"corrupt"_qs;
    }

    void unusableDatabaseEndsTheStartWithAnAlert()
    {
        QFETCH(QString, kind);
        DesktopSession s;
        QVERIFY2(s.isReady(), qPrintable(s.error()));
        QVERIFY(QDir().mkpath(s.dataDir()));
        const QString dbPath = s.dataDir() + u"/varu.sqlite"_qs;
        if (kind == u"directory"_qs) {
            QVERIFY(QDir().mkpath(dbPath));
        } else { // a real database whose pages after the header were overwritten
            QVERIFY(execSql(dbPath, "PRAGMA journal_mode=DELETE; CREATE TABLE t(x); "
                                    "INSERT INTO t VALUES (randomblob(20000));"));
            QFile f(dbPath);
            QVERIFY(f.open(QIODevice::ReadWrite) && f.seek(100));
            f.write(QByteArray(f.size() - 100, '\x5a'));
        }
        const QByteArray before = digestOf(dbPath);

        QProcess *varu = s.startVaru();
        QVERIFY2(dismissAlert(s, varu), "no alert, or varu did not end with an error after it");
        QVERIFY(!busNameOwned(s));
        if (kind == u"directory"_qs)
            QVERIFY(QFileInfo(dbPath).isDir());
        else
            QCOMPARE(digestOf(dbPath), before);
    }

    void readOnlyDatabaseEndsTheStartWithAnAlert()
    {
        if (::geteuid() != 0)
            QSKIP("needs root to run varu as an unprivileged user");
        DesktopSession s;
        QVERIFY2(s.isReady(), qPrintable(s.error()));
        QVERIFY(QDir().mkpath(s.dataDir()));
        const QString dbPath = s.dataDir() + u"/varu.sqlite"_qs;
        QVERIFY(execSql(dbPath, R"(PRAGMA journal_mode=DELETE; CREATE TABLE items(id TEXT);)"));
        const QByteArray before = digestOf(dbPath);
        // nobody may read everything but write nothing: the file is the user's, read-only.
        QCOMPARE(s.run(u"chmod"_qs, {u"-R"_qs, u"a+rX"_qs, QFileInfo(s.home()).path()}), 0);
        QCOMPARE(s.run(u"chown"_qs, {u"-R"_qs, u"65534:65534"_qs, s.home()}), 0);
        QCOMPARE(s.run(u"chmod"_qs, {u"0444"_qs, dbPath}), 0);

        QProcess *varu =
            s.start(u"setpriv"_qs, {u"--reuid=65534"_qs, u"--regid=65534"_qs, u"--clear-groups"_qs,
                                    DesktopSession::varuBinary()});
        QVERIFY(dismissAlert(s, varu));
        QCOMPARE(digestOf(dbPath), before);
    }

    void startWithoutDisplaySaysHowToRunIt()
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QLatin1String(name));
        p.setProcessEnvironment(env);
        p.start(DesktopSession::varuBinary(), {});
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 1);
        const QString err = QString::fromUtf8(p.readAllStandardError());
        QVERIFY2(err.contains(u"DISPLAY"_qs) && err.contains(u"Xvfb"_qs), qPrintable(err));
    }
};

QTEST_GUILESS_MAIN(E2eStartup)
#include "tst_e2e_startup.moc"
