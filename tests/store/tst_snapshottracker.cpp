// Snapshots brought up to date from the changes since the last one: after every kind of
// change they hold exactly what a full read holds, and they fall back to a full read where
// the changes alone cannot tell.

#include "StoreFixtures.h"

#include "store/SnapshotTracker.h"

namespace {

// Every field of every card, in order, so that a patch that misses any change shows.
QStringList describe(const QList<ClipItem> &items)
{
    QStringList out;
    for (const ClipItem &c : items) {
        QStringList tabs(c.tabIDs.cbegin(), c.tabIDs.cend());
        tabs.sort();
        out << QStringList{c.id,
                           QString::number(c.createdAt, 'f', 3),
                           ClipKinds::rawName(c.kind),
                           c.title,
                           c.customTitle.value_or(u"-"_qs),
                           c.sourceAppID.value_or(u"-"_qs),
                           c.sourceName.value_or(u"-"_qs),
                           QString::number(c.totalBytes),
                           c.thumbnail ? QString::number(c.thumbnail->size()) : u"-"_qs,
                           c.inHistory ? u"h"_qs : u"t"_qs,
                           tabs.join(u',')}
                   .join(u'|');
    }
    return out;
}

void compareSnapshots(const Snapshot &actual, const Snapshot &expected, const char *step)
{
    QVERIFY2(describe(actual.history) == describe(expected.history), step);
    QVERIFY2(actual.tabs == expected.tabs, step);
    QVERIFY2(actual.tabItems.keys().size() == expected.tabItems.keys().size(), step);
    for (auto it = expected.tabItems.cbegin(); it != expected.tabItems.cend(); ++it)
        QVERIFY2(describe(actual.tabItems.value(it.key())) == describe(it.value()), step);
}

} // namespace

class TestSnapshotTracker : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void patchesMatchFullReadsAfterEveryChange()
    {
        // The history shows 5 cards while the store keeps 6, so removals pull cards up from
        // beyond the visible list.
        constexpr qint64 kShown = 5;
        TestStore db;
        SnapshotTracker tracker(*db);
        QStringList ids;
        for (int i = 0; i < 6; ++i)
            ids << db.capture(u"card %1"_qs.arg(i), 10 + i, u"org.kde.kate"_qs);
        const QString work = db->createTab(u"Work"_qs, u"#111111"_qs, 1);
        const QString home = db->createTab(u"Home"_qs, u"#222222"_qs, 2);
        db->add(ids[0], work, 20);
        db->add(ids[1], work, 21);
        db->add(ids[1], home, 22);
        compareSnapshots(tracker.next(kShown), db->snapshot(kShown), "first");
        QVERIFY(tracker.lastWasFull());

        double now = 100;
        const auto step = [&](const char *name, const std::function<void()> &change,
                              bool patched = true) {
            now += 10;
            change();
            const Snapshot s = tracker.next(kShown);
            compareSnapshots(s, db->snapshot(kShown), name);
            if (patched)
                QVERIFY2(!tracker.lastWasFull(), name);
        };
        step("nothing changed", [] {});
        step("new capture", [&] { ids << db.capture(u"new"_qs, now); });
        step("prune", [&] { db->prune(6); });
        step("repeated capture of an old card", [&] {
            db->upsert(textClip(u"card 1"_qs, u"org.gnome.gedit"_qs), std::nullopt, now);
        });
        step("touch", [&] { db->touch({ids[2]}, now); });
        step("rename", [&] { db->rename(ids[1], u"Mine"_qs); });
        step("pin again moves to the front", [&] { db->add(ids[0], work, now); });
        step("pin into a second tab", [&] { db->add(ids[2], home, now); });
        step("unpin", [&] { db->removeFromTab(work, {ids[1]}); });
        step("edit text", [&] { db->updateText(ids[2], u"edited"_qs, ClipKind::Text); });
        // The merge and the removal shorten a history that had cards beyond the limit.
        step(
            "edit merges with another card",
            [&] { db->updateText(ids[6], u"edited"_qs, ClipKind::Text); }, false);
        step("remove a pinned card from the history", [&] { db->removeFromHistory({ids[0]}); });
        step(
            "remove from a full history",
            [&] { db->removeFromHistory({db->history(1).first().id}); }, false);
        step("new tab", [&] { db->createTab(u"Empty"_qs, u"#333333"_qs, now); });
        step("recolour a tab", [&] { db->updateTab(home, u"House"_qs, u"#444444"_qs); });
        step("delete a tab", [&] { db->deleteTab(work); });
        step("expire", [&] { db->expire(1, 14 + 86400 * 1.5); });
        step("clear", [&] { db->clearHistory(); });
        step("capture after clearing", [&] { db.capture(u"fresh"_qs, now); });

        // A failed change leaves nothing behind that the next patch would trust.
        step("rolled back", [&] {
            try {
                db->upsert(textClip(u"card 3"_qs), std::nullopt, now);
                db->db().exec("BEGIN; UPDATE items SET title = 'x'; SELECT * FROM nowhere;");
            } catch (const StoreError &) {
                db->db().exec("ROLLBACK");
            }
        });

        const QString backup = db.dir.filePath(u"all.varu"_qs);
        TestStore other;
        for (int i = 0; i < 3; ++i)
            other.capture(u"imported %1"_qs.arg(i), now + 100 + i);
        other->exportTo(backup, Store::ExportScope::everything());
        step("import", [&] { db->importData(backup); });
    }

    void readsWholeWhatChangesCannotTell()
    {
        TestStore db;
        SnapshotTracker tracker(*db);
        for (int i = 0; i < 4; ++i)
            db.capture(u"card %1"_qs.arg(i), 10 + i);
        tracker.next(3);

        // Another connection's write leaves no notes here.
        {
            auto outside = Connection::open(db.path());
            outside->run("UPDATE items SET title = 'from outside' WHERE title = 'card 3'");
        }
        Snapshot s = tracker.next(3);
        QVERIFY(tracker.lastWasFull());
        QCOMPARE(s.history.first().title, u"from outside"_qs);

        // A new limit shows cards the last snapshot never held.
        s = tracker.next(4);
        QVERIFY(tracker.lastWasFull());
        QCOMPARE(s.history.size(), 4);

        // Then patching again; a negative limit means the whole history.
        db.capture(u"card 4"_qs, 20);
        QCOMPARE(tracker.next(4).history.size(), 4);
        QVERIFY(!tracker.lastWasFull());
        tracker.next(-1);
        db.capture(u"card 5"_qs, 21);
        QCOMPARE(tracker.next(-1).history.size(), 6);
        QVERIFY(!tracker.lastWasFull());
    }
};

QTEST_GUILESS_MAIN(TestSnapshotTracker)
#include "tst_snapshottracker.moc"
