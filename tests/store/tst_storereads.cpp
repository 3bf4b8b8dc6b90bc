// Reading what the strip shows: card rows into records, tabs and their cards, and a snapshot
// whose parts fail independently.

#include "StoreFixtures.h"

class TestStoreReads : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rowsBecomeRecords()
    {
        TestStore db;
        CapturedClip image = textClip(u"img"_qs, u"org.gimp"_qs);
        image.kind = ClipKind::Image;
        db->upsert(image, QByteArray("PNG"), 5);
        db->upsert(textClip(u"empty thumb"_qs), QByteArray(), 6);
        const QString newer = db.capture(u"newer kind"_qs, 7);
        db->db().run("UPDATE items SET kind = 'Text' WHERE id = ?", {newer});
        const QString a = db->history(10).value(2).id;
        const QString t1 = db->createBoard(u"First"_qs, u"#111111"_qs, 10);
        const QString t2 = db->createBoard(u"Second"_qs, u"#222222"_qs, 11);
        db->add(a, t1, 20);
        db->add(newer, t1, 21);
        db->add(a, t2, 22);

        const QList<ClipItem> items = db->history(10);
        QCOMPARE(items[0].kind, ClipKind::Text); // unknown kinds read as text
        QVERIFY(!items[0].thumbnail);
        QVERIFY(items[1].thumbnail && items[1].thumbnail->isEmpty());
        QVERIFY(items[1].boardIDs.isEmpty());
        const ClipItem &img = items[2];
        QCOMPARE(img.kind, ClipKind::Image);
        QCOMPARE(img.createdAt, 5.0);
        QCOMPARE(img.sourceBundleID, u"org.gimp"_qs);
        QCOMPARE(img.totalBytes, image.totalBytes);
        QCOMPARE(img.thumbnail, QByteArray("PNG"));
        QCOMPARE(img.boardIDs, QSet<QString>({t1, t2}));
        QCOMPARE(idsOf(db->history(2)), QStringList({items[0].id, items[1].id}));

        QCOMPARE(db->boards(), QList<Board>({Board{t1, u"First"_qs, u"#111111"_qs, 0},
                                             Board{t2, u"Second"_qs, u"#222222"_qs, 1}}));
        db->clearHistory();
        QCOMPARE(idsOf(db->boardItems(t1)), QStringList({newer, a}));
        QVERIFY(!db->boardItems(t1)[0].inHistory);
        db->add(a, t1, 30); // pinning again moves the card to the front
        QCOMPARE(idsOf(db->boardItems(t1)), QStringList({a, newer}));
    }

    void snapshotPartsFailIndependently()
    {
        TestStore db;
        const QString a = db.capture(u"a"_qs, 1);
        db.capture(u"b"_qs, 2);
        const QString tab = db->createBoard(u"T"_qs, u"#000000"_qs);
        db->add(a, tab);

        // Without the membership table neither card query prepares, but the tabs still read.
        db->db().exec("ALTER TABLE board_items RENAME TO gone");
        Snapshot s = db->snapshot(10);
        QVERIFY(s.history.isEmpty());
        QCOMPARE(s.boards.size(), 1);
        QVERIFY(s.boardItems.contains(tab) && s.boardItems.value(tab).isEmpty());

        db->db().exec("ALTER TABLE gone RENAME TO board_items; ALTER TABLE boards RENAME TO b2");
        s = db->snapshot(1);
        QCOMPARE(s.history.size(), 1);
        QVERIFY(s.boards.isEmpty() && s.boardItems.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestStoreReads)
#include "tst_storereads.moc"
