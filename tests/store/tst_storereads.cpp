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
        const QString a = db.record(image, 5);
        db->db().run("UPDATE items SET thumbnail = x'89504e47' WHERE id = ?", {a});
        db->upsert(textClip(u"empty thumb"_qs), QByteArray(), 6);
        const QString newer = db.capture(u"newer kind"_qs, 7);
        db->db().run("UPDATE items SET kind = 'Text' WHERE id = ?", {newer});
        const QString t1 = db->createTab(u"First"_qs, u"#111111"_qs, 10);
        const QString t2 = db->createTab(u"Second"_qs, u"#222222"_qs, 11);
        db->add(a, t1, 20);
        db->add(newer, t1, 21);
        db->add(a, t2, 22);

        const QList<ClipItem> items = db->history(10);
        QCOMPARE(items[0].kind, ClipKind::Text); // unknown kinds read as text
        // Records carry a thumbnail's size; its bytes are read by id.
        QVERIFY(!items[0].thumbnailSize());
        QCOMPARE(items[1].thumbnailSize(), std::optional<qint64>(0));
        QVERIFY(!items[1].thumbnail);
        QCOMPARE(db->committedThumbnail(items[1].id), QByteArray());
        QVERIFY(!db->committedThumbnail(u"unknown"_qs));
        QCOMPARE(items[2].kind, ClipKind::Image);
        QCOMPARE(items[2].thumbnailSize(), std::optional<qint64>(4));
        QCOMPARE(db->committedThumbnail(a), QByteArray("\x89PNG"));
        QCOMPARE(items[2].sourceAppID, u"org.gimp"_qs);
        QCOMPARE(items[2].tabIDs, QSet<QString>({t1, t2}));
        QCOMPARE(db->tabs(), QList<UserTab>({UserTab{t1, u"First"_qs, u"#111111"_qs, 0},
                                             UserTab{t2, u"Second"_qs, u"#222222"_qs, 1}}));
        db->add(a, t1, 30); // pinning again moves the card to the front
        QCOMPARE(idsOf(db->tabItems(t1)), QStringList({a, newer}));
    }

    void snapshotPartsFailIndependently()
    {
        TestStore db;
        const QString a = db.capture(u"a"_qs, 1);
        db->add(a, db->createTab(u"T"_qs, u"#000000"_qs));
        // Without the membership table neither card query prepares, but the tabs still read.
        db->db().exec("ALTER TABLE board_items RENAME TO gone");
        const Snapshot s = db->snapshot(10);
        QVERIFY(s.history.isEmpty());
        QCOMPARE(s.tabs.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestStoreReads)
#include "tst_storereads.moc"
