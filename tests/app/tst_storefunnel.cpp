// The store funnel: bodies run on the store's thread in submission order, each is followed by
// exactly one snapshot on the main thread (also after a failure), the reload limit can change
// from any thread, and a funnel that is gone receives nothing.

#include "app/StoreFunnel.h"

#include <QSemaphore>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <stdexcept>

namespace {

CapturedClip clip(const QString &text)
{
    CapturedClip c;
    c.reps = {Representation{0, QStringLiteral("public.utf8-plain-text"), text.toUtf8()}};
    c.title = text;
    c.checksum = Representation::checksum(c.reps);
    return c;
}

QStringList titles(const QList<ClipItem> &items)
{
    QStringList out;
    for (const ClipItem &item : items)
        out << item.title;
    return out;
}

} // namespace

class TestStoreFunnel : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<Store> m_store;
    int m_n = 0;

private Q_SLOTS:
    void init() { m_store = Store::open(m_dir.filePath(u"db%1.sqlite"_qs.arg(++m_n))); }
    void cleanup() { m_store.reset(); }

    void everyBodyGivesOneSnapshotInOrder()
    {
        StoreFunnel funnel(m_store.get());
        QList<QStringList> received;
        QList<bool> onMainThread;
        connect(&funnel, &StoreFunnel::snapshotReady, this, [&](const Snapshot &s) {
            received << titles(s.history);
            onMainThread << (QThread::currentThread() == thread());
        });

        QTest::ignoreMessage(QtCriticalMsg, "Erro no banco: sql(\"no such table: nowhere\")");
        QTest::ignoreMessage(QtCriticalMsg, "Erro no banco: not a store error");
        funnel.onStore([](Store &s) { s.upsert(clip(u"a"_qs), std::nullopt, 1); });
        funnel.onStore([](Store &s) {
            s.upsert(clip(u"b"_qs), std::nullopt, 2);
            s.db().run("DELETE FROM nowhere"); // what ran before the failure stays
        });
        funnel.onStore([](Store &) { throw std::runtime_error("not a store error"); });
        funnel.onStore([](Store &s) { s.upsert(clip(u"c"_qs), std::nullopt, 3); });

        QTRY_COMPARE(received.size(), 4);
        QCOMPARE(
            received,
            QList<QStringList>(
                {{u"a"_qs}, {u"b"_qs, u"a"_qs}, {u"b"_qs, u"a"_qs}, {u"c"_qs, u"b"_qs, u"a"_qs}}));
        QCOMPARE(onMainThread, QList<bool>(4, true));
        QTest::qWait(50);
        QCOMPARE(received.size(), 4);
    }

    void reloadReadsTheCurrentLimitWithTabs()
    {
        StoreFunnel funnel(m_store.get());
        QSignalSpy spy(&funnel, &StoreFunnel::snapshotReady);
        funnel.setHistoryLimit(2);
        funnel.onStore([](Store &s) {
            for (int i = 0; i < 4; ++i)
                s.upsert(clip(QString::number(i)), std::nullopt, i);
            s.add(s.history(10).last().id, s.createBoard(u"T"_qs, u"#000000"_qs));
        });
        // Changed from the store's own thread, while bodies are queued.
        funnel.onStore([&funnel](Store &) { funnel.setHistoryLimit(3); });
        QTRY_COMPARE(spy.size(), 2);
        const Snapshot first = spy.at(0).at(0).value<Snapshot>();
        QCOMPARE(titles(first.history), QStringList({u"3"_qs, u"2"_qs}));
        QCOMPARE(first.boards.size(), 1);
        QCOMPARE(titles(first.boardItems.value(first.boards[0].id)), QStringList({u"0"_qs}));
        QCOMPARE(spy.at(1).at(0).value<Snapshot>().history.size(), 3);
    }

    void representationsWaitBehindQueuedWork()
    {
        StoreFunnel funnel(m_store.get());
        ClipItem item;
        m_store->sync([&](Store &s) {
            s.upsert(clip(u"before"_qs), std::nullopt, 1);
            item.id = s.history(1).value(0).id;
        });
        // Queued first, so the read sees the edit.
        funnel.onStore([id = item.id](Store &s) { s.updateText(id, u"after"_qs, ClipKind::Text); });
        QCOMPARE(funnel.representations(item), clip(u"after"_qs).reps);

        item.id = u"unknown"_qs;
        QVERIFY(funnel.representations(item).isEmpty());
        m_store->sync([](Store &s) { s.db().exec("DROP TABLE representations"); });
        QTest::ignoreMessage(QtCriticalMsg,
                             "Erro no banco: sql(\"no such table: representations\")");
        QVERIFY(funnel.representations(item).isEmpty());
    }

    void aFunnelThatIsGoneReceivesNothing()
    {
        auto funnel = std::make_unique<StoreFunnel>(m_store.get());
        QSemaphore gate;
        m_store->post([&gate](Store &) { gate.acquire(); });
        bool ran = false;
        funnel->onStore([&ran](Store &) { ran = true; });
        funnel.reset();
        gate.release();
        m_store->sync([](Store &) {});
        QCoreApplication::processEvents();
        QVERIFY(!ran);
    }
};

QTEST_GUILESS_MAIN(TestStoreFunnel)
#include "tst_storefunnel.moc"
