// The capture path into a real database file: PDF cards are titled by their pages, content
// that does not decode keeps its title, the history limit applies after each capture, and a
// failure leaves no partial card. (Image titles and thumbnails are checked end to end.)

#include "app/CaptureRecorder.h"
#include "app/StoreFunnel.h"

#include "capture/Classifier.h"
#include "capture/PasteboardTypes.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace T = PasteboardTypes;

namespace {

CapturedClip clipOf(const QString &type, const QByteArray &bytes)
{
    const QList<Representation> reps{Representation{0, type, bytes}};
    return *Classifier::classify(reps, bytes.size(), CaptureRules(),
                                 [] { return std::optional<SrgbColor>(); });
}

QByteArray pdf(int pages)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    QPainter painter(&writer);
    for (int i = 1; i < pages; ++i)
        writer.newPage();
    return bytes;
}

} // namespace

class TestCaptureRecorder : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<Store> store;
    std::unique_ptr<StoreFunnel> funnel;

    // Records and waits for the snapshot that follows; its history's titles.
    QStringList record(const CapturedClip &clip, qint64 limit = 1000)
    {
        QSignalSpy ready(funnel.get(), &StoreFunnel::snapshotReady);
        CaptureRecorder(*funnel).record(clip, limit, 0);
        QStringList titles;
        if (ready.wait(10000)) {
            for (const ClipItem &item : ready.first().first().value<Snapshot>().history)
                titles << item.title;
        }
        return titles;
    }

    QString stored(const char *sql)
    {
        QString out;
        store->sync([&](Store &s) { out = s.db().scalarText(sql).value_or(u"<none>"_qs); });
        return out;
    }

private Q_SLOTS:
    void init()
    {
        store = Store::open(dir.filePath(QTest::currentTestFunction() + u".sqlite"_qs));
        funnel = std::make_unique<StoreFunnel>(store.get());
    }

    void cleanup()
    {
        funnel.reset();
        store.reset();
    }

    void documentsAreTitledByTheirPagesUnlessTheyDoNotDecode()
    {
        QCOMPARE(record(clipOf(T::pdf, pdf(1))).value(0), u"PDF · 1 página"_qs);
        QCOMPARE(stored("SELECT length(thumbnail) > 0 FROM items"), u"1"_qs);
        QCOMPARE(record(clipOf(T::pdf, "%PDF-1.4 truncated")).value(0), u"PDF"_qs);
        QCOMPARE(stored("SELECT kind || ':' || (thumbnail IS NULL) FROM items WHERE title = 'PDF'"),
                 u"pdf:1"_qs);
    }

    void theHistoryLimitAppliesAfterEachCapture()
    {
        // Times are kept to the millisecond: captures this fast would otherwise tie.
        record(clipOf(T::plainText, "one"), 2);
        QTest::qWait(3);
        record(clipOf(T::plainText, "two"), 2);
        QTest::qWait(3);
        QCOMPARE(record(clipOf(T::plainText, "three"), 2), (QStringList{u"three"_qs, u"two"_qs}));
        QCOMPARE(stored("SELECT COUNT(*) FROM items WHERE title = 'one'"), u"0"_qs);
    }

    void aFailedCaptureLeavesNothingBehind()
    {
        store->sync([](Store &s) { s.db().exec("DROP TABLE representations"); });
        QTest::ignoreMessage(QtCriticalMsg, QRegularExpression(u"^Erro no banco: "_qs));
        record(clipOf(T::plainText, "lost"));
        QCOMPARE(stored("SELECT COUNT(*) FROM items"), u"0"_qs);
    }
};

QTEST_MAIN(TestCaptureRecorder)
#include "tst_capturerecorder.moc"
