// Starting varu on a fresh desktop: the data folder, the database file and its schema, the
// configuration file, migration of old files, single instance, and every way a start fails.

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
    bool ok = sqlite3_open(QFile::encodeName(path).constData(), &db) == SQLITE_OK
              && sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
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
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return -1;
    return int(st.st_mode & 07777);
}

} // namespace

class E2eStartup : public QObject
{
    Q_OBJECT

private:
    bool busNameOwned(DesktopSession &s)
    {
        QByteArray out;
        s.run(QStringLiteral("dbus-send"),
              {QStringLiteral("--session"), QStringLiteral("--print-reply"),
               QStringLiteral("--dest=org.freedesktop.DBus"), QStringLiteral("/"),
               QStringLiteral("org.freedesktop.DBus.NameHasOwner"),
               QStringLiteral("string:com.teko.varu")},
              &out, 3000);
        return out.contains("boolean true");
    }

    bool waitUntilRunning(DesktopSession &s, QProcess *varu)
    {
        // The file appears before its schema is written: wait for the tables too.
        const QString dbPath = s.dataDir() + QStringLiteral("/varu.sqlite");
        return DesktopSession::waitFor([&] {
            return varu->state() == QProcess::Running && busNameOwned(s)
                   && QFile::exists(dbPath)
                   && DbProbe(dbPath).columnsOf(QStringLiteral("items")).contains(
                       QStringLiteral("custom_title"));
        });
    }

    // Presses Return on the alert until the process ends: on a busy machine the first key
    // can reach the window before it takes the keyboard.
    static bool dismissAlert(DesktopSession &s, QProcess *varu, const QString &window)
    {
        for (int attempt = 0; attempt < 10; ++attempt) {
            s.run(u"xdotool"_qs, {u"windowactivate"_qs, u"--sync"_qs, window}, nullptr, 3000);
            s.run(u"xdotool"_qs, {u"key"_qs, u"Return"_qs});
            if (DesktopSession::waitFor([&] { return varu->state() == QProcess::NotRunning; }, 1500))
                return true;
        }
        return false;
    }

private Q_SLOTS:
    void firstStartCreatesPrivateFolderSchemaAndConfig()
    {
        DesktopSession s;
        QVERIFY2(s.isReady(), qPrintable(s.error()));
        QProcess *varu = s.startVaru();
        QVERIFY(waitUntilRunning(s, varu));

        QCOMPARE(modeOf(s.dataDir()), 0700);
        const QString dbPath = s.dataDir() + QStringLiteral("/varu.sqlite");
        QCOMPARE(modeOf(dbPath), 0600);
        QCOMPARE(modeOf(s.dataDir() + QStringLiteral("/config.json")), 0600);

        {
            DbProbe db(dbPath);
            QVERIFY(db.isOpen());
            QCOMPARE(db.scalar(QStringLiteral("PRAGMA auto_vacuum")).toInt(), 2); // incremental
            QCOMPARE(db.scalar(QStringLiteral("PRAGMA journal_mode")).toString(), u"wal"_qs);

            const QString reference = s.home() + QStringLiteral("/reference.sqlite");
            QVERIFY(execSql(reference, kExpectedSchema));
            QCOMPARE(schemaOf(db), schemaOf(DbProbe(reference)));
        }

        QFile config(s.dataDir() + QStringLiteral("/config.json"));
        QVERIFY(config.open(QIODevice::ReadOnly));
        const QJsonObject o = QJsonDocument::fromJson(config.readAll()).object();
        QCOMPARE(o.keys(), QStringList({u"copySound"_qs, u"historyLimit"_qs,
                                        u"historyRetentionDays"_qs, u"hotKey"_qs,
                                        u"ignoredApps"_qs, u"ignoredTypes"_qs, u"playSounds"_qs,
                                        u"skipSecrets"_qs}));
        QCOMPARE(o.value(u"historyLimit"_qs).toInteger(), 1000);
        QVERIFY(o.value(u"ignoredTypes"_qs).toVariant().toStringList().contains(
            u"x-kde-passwordManagerHint"_qs));

        // Logging out (SIGTERM) closes the database cleanly: the log is folded in and removed.
        varu->terminate();
        QVERIFY(varu->waitForFinished(5000));
        QCOMPARE(varu->exitStatus(), QProcess::NormalExit);
        QCOMPARE(varu->exitCode(), 0);
        QVERIFY(!QFile::exists(dbPath + u"-wal"_qs));
    }

    void legacyFileIsMigratedOnOpen()
    {
        DesktopSession s;
        QVERIFY2(s.isReady(), qPrintable(s.error()));
        QVERIFY(QDir().mkpath(s.dataDir()));
        const QString dbPath = s.dataDir() + QStringLiteral("/varu.sqlite");
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

        QProcess *varu = s.startVaru();
        QVERIFY(waitUntilRunning(s, varu));
        DbProbe db(dbPath);
        QVERIFY(DesktopSession::waitFor(
            [&] { return db.columnsOf(u"items"_qs).contains(u"custom_title"_qs); }));
        QVERIFY(db.columnsOf(u"items"_qs).contains(u"in_history"_qs));
        QCOMPARE(db.scalar(u"SELECT COUNT(*) FROM items WHERE in_history = 1 AND custom_title IS NULL"_qs)
                     .toInt(),
                 2);
        QCOMPARE(db.scalar(u"SELECT COUNT(*) FROM sqlite_master WHERE name = 'items_created'"_qs).toInt(), 0);
        QCOMPARE(db.scalar(u"SELECT COUNT(*) FROM sqlite_master WHERE name = 'items_history'"_qs).toInt(), 1);
        QCOMPARE(db.scalar(u"SELECT COUNT(*) FROM sqlite_master WHERE name = 'board_items'"_qs).toInt(), 1);
        QCOMPARE(db.scalar(u"SELECT data FROM representations WHERE item_id = 'A'"_qs).toByteArray(),
                 QByteArray("abc"));
    }

    void secondStartForwardsToTheFirst()
    {
        DesktopSession s;
        QVERIFY2(s.isReady(), qPrintable(s.error()));
        QProcess *first = s.startVaru();
        QVERIFY(waitUntilRunning(s, first));
        QProcess *second = s.startVaru();
        QVERIFY(second->waitForFinished(10000));
        QCOMPARE(second->exitCode(), 0);
        QCOMPARE(first->state(), QProcess::Running);
    }

    void malformedConfigUsesDefaultsAndKeepsTheFile()
    {
        DesktopSession s;
        QVERIFY2(s.isReady(), qPrintable(s.error()));
        QVERIFY(QDir().mkpath(s.dataDir()));
        const QString path = s.dataDir() + QStringLiteral("/config.json");
        const QByteArray broken = R"({"historyLimit": "200", "playSounds": false})";
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(broken);
        f.close();

        QProcess *varu = s.startVaru();
        QVERIFY(waitUntilRunning(s, varu));
        varu->terminate();
        varu->waitForFinished(5000);
        QVERIFY(QString::fromUtf8(varu->readAllStandardError())
                    .contains(u"config.json inválido, usando padrão: historyLimit"_qs));
        QFile again(path);
        QVERIFY(again.open(QIODevice::ReadOnly));
        QCOMPARE(again.readAll(), broken);
    }

    void unusableDatabaseEndsTheStartWithAnAlert_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("directory") << u"directory"_qs;
        QTest::newRow("not sqlite") << u"garbage"_qs;
        QTest::newRow("corrupt") << u"corrupt"_qs;
    }

    void unusableDatabaseEndsTheStartWithAnAlert()
    {
        QFETCH(QString, kind);
        DesktopSession s;
        QVERIFY2(s.isReady(), qPrintable(s.error()));
        QVERIFY(QDir().mkpath(s.dataDir()));
        const QString dbPath = s.dataDir() + QStringLiteral("/varu.sqlite");
        if (kind == u"directory"_qs) {
            QVERIFY(QDir().mkpath(dbPath));
        } else if (kind == u"garbage"_qs) {
            QFile f(dbPath);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(8192, 'x'));
        } else {
            // A real database whose pages after the header were overwritten.
            QVERIFY(execSql(dbPath, "PRAGMA journal_mode=DELETE; CREATE TABLE t(x); "
                                    "INSERT INTO t VALUES (randomblob(20000));"));
            QFile f(dbPath);
            QVERIFY(f.open(QIODevice::ReadWrite));
            f.seek(100);
            f.write(QByteArray(f.size() - 100, '\x5a'));
        }
        const QByteArray before = kind == u"directory"_qs ? QByteArray() : digestOf(dbPath);

        QProcess *varu = s.startVaru();
        QStringList windows;
        QVERIFY2(DesktopSession::waitFor([&] {
                     windows = s.windowsNamed(QStringLiteral("^Varu$"));
                     return !windows.isEmpty() || varu->state() != QProcess::Running;
                 }),
                 "no failure alert appeared");
        QCOMPARE(varu->state(), QProcess::Running);
        QVERIFY(s.screenshot(s.home() + QStringLiteral("/alert.png")));

        QVERIFY2(dismissAlert(s, varu, windows.first()), "varu did not exit after the alert");
        QVERIFY(varu->exitCode() != 0);
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
        const QString dbPath = s.dataDir() + QStringLiteral("/varu.sqlite");
        QVERIFY(execSql(dbPath, R"(PRAGMA journal_mode=DELETE; CREATE TABLE items(id TEXT);)"));
        const QByteArray before = digestOf(dbPath);
        // nobody may read everything but write nothing: the file is the user's, read-only.
        QVERIFY(s.run(u"chmod"_qs, {u"-R"_qs, u"a+rX"_qs, QFileInfo(s.home()).path()}) == 0);
        QVERIFY(s.run(u"chown"_qs, {u"-R"_qs, u"65534:65534"_qs, s.home()}) == 0);
        QVERIFY(s.run(u"chmod"_qs, {u"0444"_qs, dbPath}) == 0);

        QProcess *varu = s.start(u"setpriv"_qs, {u"--reuid=65534"_qs, u"--regid=65534"_qs,
                                                 u"--clear-groups"_qs, DesktopSession::varuBinary()});
        QStringList windows;
        QVERIFY2(DesktopSession::waitFor([&] {
                     windows = s.windowsNamed(QStringLiteral("^Varu$"));
                     return !windows.isEmpty() || varu->state() != QProcess::Running;
                 }),
                 qPrintable(QString::fromUtf8(varu->readAllStandardError())));
        QVERIFY(dismissAlert(s, varu, windows.first()));
        QVERIFY(varu->exitCode() != 0);
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
