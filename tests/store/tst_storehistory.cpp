// Recording captures and the upkeep users feel: dedupe by content, the count and age limits,
// cards in tabs outliving the history, and deleted content leaving the files on disk.

#include "StoreFixtures.h"

#include <QFile>
#include <QUuid>

class TestStoreHistory : public QObject
{
    Q_OBJECT

    static constexpr double kDay = 86400;

    static bool onDisk(const QString &path, const QByteArray &marker)
    {
        for (const QString &file : {path, path + u"-wal"_qs}) {
            QFile f(file);
            if (f.open(QIODevice::ReadOnly) && f.readAll().contains(marker))
                return true;
        }
        return false;
    }

private Q_SLOTS:
    void repeatedCaptureMovesTheCardUpAndKeepsWhatTheUserGaveIt()
    {
        TestStore db;
        const QString a = db.capture(u"alpha"_qs, 100, u"org.one"_qs);
        const QString b = db.capture(u"beta"_qs, 200);
        const QString tab = db->createTab(u"Work"_qs, u"#112233"_qs);
        db->add(a, tab);
        db->rename(a, u"Mine"_qs);

        QCOMPARE(db.capture(u"alpha"_qs, 300, u"org.two"_qs), a);
        QCOMPARE(db.count("items"), 2);
        QCOMPARE(db.count("representations"), 4);
        const QList<ClipItem> history = db->history(10);
        QCOMPARE(idsOf(history), QStringList({a, b}));
        QCOMPARE(history[0].createdAt, 300.0);
        QCOMPARE(history[0].sourceAppID, u"org.two"_qs);
        QCOMPARE(history[0].customTitle, u"Mine"_qs);
        QCOMPARE(history[0].tabIDs, QSet<QString>{tab});

        // Content kept only in a tab comes back into the history.
        db->removeFromHistory({a});
        QCOMPARE(idsOf(db->history(10)), QStringList({b}));
        db.capture(u"alpha"_qs, 400);
        QCOMPARE(idsOf(db->history(10)), QStringList({a, b}));
    }

    void countAndAgeLimitsSpareCardsInTabs()
    {
        TestStore db;
        const QString first = db.capture(u"one"_qs, 1);
        const QString pinned = db.capture(u"two"_qs, 2);
        db->add(pinned, db->createTab(u"T"_qs, u"#000000"_qs));
        const QString three = db.capture(u"three"_qs, 3);
        const QString four = db.capture(u"four"_qs, 4);
        const QString five = db.capture(u"five"_qs, 5);

        db->prune(-1); // no limit at all
        QCOMPARE(db->history(10).size(), 5);
        db->prune(3);
        QCOMPARE(idsOf(db->history(10)), QStringList({five, four, three}));
        QCOMPARE(db.value("SELECT COUNT(*) FROM representations WHERE item_id = ?", {first}),
                 u"0"_qs);
        QCOMPARE(db.value("SELECT in_history FROM items WHERE id = ?", {pinned}), u"0"_qs);
        QCOMPARE(db.count("items"), 4);

        // The age counts from the last use; exactly the limit is still kept.
        const double now = 5 + 30 * kDay;
        db->touch({four}, now - kDay);
        db->touch({three}, now - 7 * kDay);
        QCOMPARE(db->expire(0, now), 0);
        QCOMPARE(db->expire(7, now), 1);
        QCOMPARE(idsOf(db->history(10)), QStringList({four, three}));
        QCOMPARE(db.count("items"), 3);
        db->prune(0); // a limit of 0 empties the history
        QVERIFY(db->history(10).isEmpty());
        QCOMPARE(db.count("items"), 1);
    }

    void failedCaptureLeavesNoHalfCard()
    {
        TestStore db;
        db->db().exec("CREATE TEMP TRIGGER fail_html BEFORE INSERT ON representations "
                      "WHEN NEW.uti = 'public.html' BEGIN SELECT RAISE(ABORT, 'disk full'); END");
        try {
            db->upsert(textClip(u"never stored"_qs), QByteArray("png"), 1);
            QFAIL("the capture should have failed");
        } catch (const StoreError &e) {
            QCOMPARE(e.describe(), u"sql(\"disk full\")"_qs);
        }
        QCOMPARE(db.count("items"), 0);
        QCOMPARE(db.count("representations"), 0);
        // The transaction was closed: the next capture is stored for good.
        db->db().exec("DROP TRIGGER fail_html");
        db.capture(u"stored"_qs, 2);
        db.store.reset();
        QCOMPARE(Store::open(db.path())->history(10).size(), 1);
    }

    void cardsInTabsOutliveTheHistory()
    {
        TestStore db;
        const QString loose = db.capture(u"loose"_qs, 1);
        const QString pinned = db.capture(u"pinned"_qs, 2);
        const QString shared = db.capture(u"shared"_qs, 3);
        const QString t1 = db->createTab(u"T1"_qs, u"#000000"_qs);
        const QString t2 = db->createTab(u"T2"_qs, u"#000000"_qs);
        db->add(pinned, t1);
        db->add(shared, t1);
        db->add(shared, t2);

        db->clearHistory();
        QVERIFY(db->history(10).isEmpty());
        QCOMPARE(db.value("SELECT COUNT(*) FROM items WHERE id = ?", {loose}), u"0"_qs);
        QCOMPARE(db.count("representations"), 4);

        db->removeFromTab(t1, {pinned, shared});
        QCOMPARE(idsOf(db->tabItems(t2)), QStringList({shared}));
        QCOMPARE(db.count("items"), 1);
        db->deleteTab(t2);
        QCOMPARE(db.count("items"), 0);
        QCOMPARE(db.count("representations"), 0);
        QCOMPARE(db.count("board_items"), 0);
    }

    // Another program holding the database (a backup tool, say) delays a copy, it does not
    // lose it; only a lock held for good ends the wait, with an error.
    void aDatabaseHeldElsewhereIsWaitedFor()
    {
        TestStore db;
        auto other = Connection::open(db.path());
        other->exec("BEGIN IMMEDIATE");
        int pauses = 0;
        db->setBusyWait([&](int) {
            if (++pauses == 20)
                other->exec("COMMIT");
        });
        db.capture(u"kept"_qs, 1);
        QCOMPARE(pauses, 20);
        QCOMPARE(db->history(10).value(0).title, u"kept"_qs);

        other->exec("BEGIN IMMEDIATE");
        pauses = 0;
        db->setBusyWait([&](int) { ++pauses; });
        QVERIFY_THROWS_EXCEPTION(StoreError, db.capture(u"lost"_qs, 2));
        QVERIFY(pauses > 100);
        other->exec("ROLLBACK");
        db.capture(u"again"_qs, 3);
        QCOMPARE(db->history(10).size(), 2);
    }

    void deletedContentLeavesNoTraceOnDisk_data()
    {
        QTest::addColumn<QString>("how");
        for (const char *how : {"remove", "deleteTab", "edit", "prune", "expire"})
            QTest::newRow(how) << QString::fromLatin1(how);
    }

    void deletedContentLeavesNoTraceOnDisk()
    {
        QFETCH(QString, how);
        TestStore db;
        // What the files hold is checked, not whether it reached the disk: no flush per card.
        db->db().exec("PRAGMA synchronous = OFF");
        const QByteArray marker =
            "password=" + QUuid::createUuid().toString(QUuid::WithoutBraces).toLatin1();
        for (int i = 0; i < 50; ++i)
            db.capture(u"filler %1 "_qs.arg(i).repeated(40), i);
        const QString secret = db.capture(QString::fromLatin1(marker), 100);
        db.capture(u"after"_qs, 101);
        QVERIFY2(onDisk(db.path(), marker), "the marker should be on disk before the deletion");

        // Cards leaving by the count or age limit go as thoroughly as deleted ones.
        if (how == u"prune"_qs) {
            db->touch({secret}, -1);
            db->prune(51);
        } else if (how == u"expire"_qs) {
            db->touch({secret}, -1);
            db->expire(1, 2 * kDay);
        }
        const QString tab = db->createTab(u"T"_qs, u"#000000"_qs);
        if (how == u"deleteTab"_qs)
            db->add(secret, tab);
        if (how == u"remove"_qs || how == u"deleteTab"_qs)
            db->removeFromHistory({secret});
        if (how == u"deleteTab"_qs)
            db->deleteTab(tab);
        else if (how == u"edit"_qs)
            db->updateText(secret, u"nothing to see"_qs, ClipKind::Text);
        QVERIFY2(!onDisk(db.path(), marker), "the deleted content is still on disk");
        db.store.reset(); // closing folds the log in: the marker must not come back from it
        QVERIFY(!onDisk(db.path(), marker));
    }
};

QTEST_GUILESS_MAIN(TestStoreHistory)
#include "tst_storehistory.moc"
