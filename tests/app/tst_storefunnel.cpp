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

private Q_SLOTS:
    void init() { m_store = Store::open(m_dir.filePath(QTest::currentTestFunction())); }
    void cleanup() { m_store.reset(); }

    void everyBodyGivesOneSnapshotInOrder()
    {
        StoreFunnel funnel(m_store.get());
        QList<QStringList> received;
        QSignalSpy delivered(&funnel, &StoreFunnel::snapshotReady);
        connect(&funnel, &StoreFunnel::snapshotReady, this, [&](const Snapshot &s) {
            QCOMPARE(QThread::currentThread(), thread());
            received << titles(s.history);
        });

        QTest::ignoreMessage(QtCriticalMsg, "Erro no banco: sql(\"no such table: nowhere\")");
        QTest::ignoreMessage(QtCriticalMsg, "Erro no banco: not a store error");
        funnel.onStore([](Store &s) { s.upsert(clip(u"a"_qs), std::nullopt, 1); });
        funnel.onStore([](Store &s) {
            s.upsert(clip(u"b"_qs), std::nullopt, 2);
            s.db().run("DELETE FROM nowhere"); // what ran before the failure stays
        });
        funnel.onStore([](Store &) { throw std::runtime_error("not a store error"); });
        // The limit changes from the store's own thread while bodies are queued.
        funnel.onStore([&funnel](Store &s) {
            s.upsert(clip(u"c"_qs), std::nullopt, 3);
            funnel.setHistoryLimit(2);
        });

        while (received.size() < 4 && delivered.wait(10'000)) {
        }
        QCOMPARE(received.size(), 4);
        QCOMPARE(received,
                 QList<QStringList>(
                     {{u"a"_qs}, {u"b"_qs, u"a"_qs}, {u"b"_qs, u"a"_qs}, {u"c"_qs, u"b"_qs}}));
        // Whatever the store still had to say is queued once its thread is idle.
        m_store->sync([](Store &) {});
        QCoreApplication::processEvents();
        QCOMPARE(received.size(), 4);
    }

    void representationsSeeCommittedWork()
    {
        StoreFunnel funnel(m_store.get());
        ClipItem item;
        m_store->sync([&](Store &s) {
            s.upsert(clip(u"before"_qs), std::nullopt, 1);
            item.id = s.history(1).value(0).id;
        });
        funnel.onStore([id = item.id](Store &s) { s.updateText(id, u"after"_qs, ClipKind::Text); });
        m_store->sync([](Store &) {});
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
