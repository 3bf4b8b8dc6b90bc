// The store's serial queue: work runs in submission order on the store's own thread, and a
// failure inside `sync` reaches the caller.

#include "store/Store.h"

#include <QTemporaryDir>
#include <QTest>

class TestStoreQueue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void workRunsInOrderOnItsOwnThread()
    {
        QTemporaryDir dir;
        auto store = Store::open(dir.filePath(u"varu.sqlite"_qs));
        QList<int> seen;
        QThread *mainThread = QThread::currentThread();
        for (int i = 0; i < 50; ++i) {
            store->post([&seen, i, mainThread](Store &s) {
                if (QThread::currentThread() != mainThread && s.onQueue())
                    seen << i;
            });
        }
        QString last;
        store->sync([&](Store &s) { last = s.queueThread()->objectName(); });
        QList<int> expected(50);
        std::iota(expected.begin(), expected.end(), 0);
        QCOMPARE(seen, expected);
        QCOMPARE(last, u"com.teko.varu.store"_qs);
        QVERIFY_THROWS_EXCEPTION(StoreError, store->sync([](Store &s) { s.db().exec("BOGUS"); }));
        // A stray failure in posted work is logged and the queue goes on.
        QTest::ignoreMessage(QtCriticalMsg, QRegularExpression(u"^Erro no banco: "_qs));
        store->post([](Store &s) { s.db().exec("BOGUS"); });
        store->sync([&](Store &) { last.clear(); });
        QVERIFY(last.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestStoreQueue)
#include "tst_storequeue.moc"
