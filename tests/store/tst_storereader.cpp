// The second, read-only connection: it reads what the writer committed and nothing it has not,
// keeps reading while the queue is busy inside a write, holds nothing open between reads (the
// writer closes last and scrubs its log), and fails with an error rather than a crash.

#include "StoreFixtures.h"

#include "store/StoreReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSemaphore>

namespace {

QByteArray contentOf(const QList<Representation> &reps)
{
    QByteArray out;
    for (const Representation &r : reps)
        out += r.type.toUtf8() + '=' + r.data + ';';
    return out;
}

qint64 logSize(const TestStore &db)
{
    return QFileInfo(db.path() + u"-wal"_qs).size();
}

} // namespace

class TestStoreReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsWhatTheWriterCommitted()
    {
        TestStore db;
        const QString id = db.capture(u"first"_qs, 1);
        QCOMPARE(contentOf(db->committedRepresentations(id)),
                 "public.utf8-plain-text=first;public.html=<b>first</b>;");

        db->updateText(id, u"edited"_qs, ClipKind::Text);
        QCOMPARE(contentOf(db->committedRepresentations(id)), "public.utf8-plain-text=edited;");

        // A card that left the history and every tab is gone for the reader too.
        db->removeFromHistory({id});
        QVERIFY(db->committedRepresentations(id).isEmpty());
        QVERIFY(db->committedRepresentations(u"no such card"_qs).isEmpty());

        // The writer's own read and the reader agree, byte for byte.
        const QString other = db.capture(u"other"_qs, 2);
        QCOMPARE(db->committedRepresentations(other), db->representations(other));
    }

    void readsTheLastCommitWhileTheQueueIsInsideAWrite()
    {
        TestStore db;
        const QString id = db.capture(u"before"_qs, 1);
        QSemaphore inside;
        QSemaphore finish;
        db->post([&](Store &s) {
            s.db().exec("BEGIN IMMEDIATE");
            s.db().run("UPDATE representations SET data = 'after' WHERE item_id = ?", {id});
            inside.release();
            // Only a read that waited for the queue would let this run out.
            finish.tryAcquire(1, 10000);
            s.db().exec("COMMIT");
        });
        inside.acquire();
        const QByteArray during = contentOf(db->committedRepresentations(id));
        finish.release();
        QCOMPARE(during, "public.utf8-plain-text=before;public.html=<b>before</b>;");

        db->sync([](Store &) {});
        QCOMPARE(contentOf(db->committedRepresentations(id)),
                 "public.utf8-plain-text=after;public.html=after;");
    }

    void readsHoldNothingOpen()
    {
        TestStore db;
        const QString id = db.capture(u"secret"_qs, 1);
        QVERIFY(!db->committedRepresentations(id).isEmpty());
        // A read left open would keep the deletion's checkpoint from emptying the log.
        db->removeFromHistory({id});
        QCOMPARE(logSize(db), 0);

        db.capture(u"more"_qs, 2);
        QVERIFY(db->committedRepresentations(id).isEmpty());
        QVERIFY(logSize(db) > 0);
        // Only the last connection to close checkpoints the log and removes it.
        db.store.reset();
        QVERIFY(!QFile::exists(db.path() + u"-wal"_qs));
    }

    void failuresAreErrors()
    {
        QTemporaryDir dir;
        const QString missing = dir.filePath(u"missing.sqlite"_qs);
        try {
            StoreReader::open(missing);
            QFAIL("a missing file opened");
        } catch (const StoreError &e) {
            QCOMPARE(e.kind(), StoreError::Case::Open);
        }
        QVERIFY(!QFile::exists(missing)); // never created

        const QString garbage = dir.filePath(u"garbage.sqlite"_qs);
        QFile file(garbage);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(8192, 'x'));
        file.close();
        auto reader = StoreReader::open(garbage);
        QVERIFY_THROWS_EXCEPTION(StoreError, reader->representations(u"any"_qs));

        // A table the writer dropped is an error, not an empty card.
        TestStore db;
        const QString id = db.capture(u"a"_qs, 1);
        db->db().exec("DROP TABLE representations");
        QVERIFY_THROWS_EXCEPTION(StoreError, db->committedRepresentations(id));
    }

    void aStoreInMemoryReadsThroughItsQueue()
    {
        QTemporaryDir dir;
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        auto store = Store::open(u":memory:"_qs);
        store->upsert(textClip(u"kept"_qs), std::nullopt, 1);
        const QString id = store->history(1).value(0).id;
        QCOMPARE(contentOf(store->committedRepresentations(id)),
                 "public.utf8-plain-text=kept;public.html=<b>kept</b>;");
        QVERIFY(QDir(dir.path()).isEmpty()); // no file named after the memory database
        store.reset();
        QDir::setCurrent(before);
    }
};

QTEST_GUILESS_MAIN(TestStoreReader)
#include "tst_storereader.moc"
