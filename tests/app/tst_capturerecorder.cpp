// The capture path into a real database file: image and PDF cards get their thumbnail and
// title, undecodable ones keep theirs, the history limits apply after each capture, and a
// failure leaves no partial card.

#include "app/CaptureRecorder.h"
#include "app/StoreFunnel.h"

#include "capture/Classifier.h"
#include "capture/PasteboardTypes.h"

#include <QBuffer>
#include <QImage>
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

QByteArray png(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
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

    // Records and waits for the snapshot that follows.
    Snapshot record(const CapturedClip &clip, qint64 limit = 1000, qint64 days = 0)
    {
        QSignalSpy ready(funnel.get(), &StoreFunnel::snapshotReady);
        CaptureRecorder(*funnel).record(clip, limit, days);
        if (!ready.wait(10000))
            return {};
        return ready.first().first().value<Snapshot>();
    }

    QVariantList row(const QString &title)
    {
        QVariantList out;
        store->sync([&](Store &s) {
            Statement st = s.db().prepare(
                "SELECT kind, total_bytes, thumbnail, checksum FROM items WHERE title = ?");
            st.bindText(1, title);
            if (st.step() == 100) // a row
                out = {st.text(0), st.int64(1), st.blob(2).value_or(QByteArray()), st.text(3)};
        });
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

    void imagesAreTitledWithTheirSize()
    {
        const CapturedClip clip = clipOf(T::png, png(4000, 3000));
        const Snapshot snapshot = record(clip);
        QCOMPARE(snapshot.history.size(), 1);
        QCOMPARE(snapshot.history.first().title, u"Imagem 4000 × 3000"_qs);
        const QVariantList r = row(u"Imagem 4000 × 3000"_qs);
        QCOMPARE(r.value(0).toString(), u"image"_qs);
        QCOMPARE(r.value(1).toLongLong(), clip.totalBytes);
        QCOMPARE(r.value(3).toString(), clip.checksum);
        QImage thumb;
        QVERIFY(thumb.loadFromData(r.value(2).toByteArray(), "PNG"));
        QCOMPARE(thumb.size(), QSize(360, 270));
    }

    void pdfDocumentsAreTitledWithTheirPages()
    {
        QCOMPARE(record(clipOf(T::pdf, pdf(10))).history.first().title, u"PDF · 10 páginas"_qs);
        QCOMPARE(record(clipOf(T::pdf, pdf(1))).history.first().title, u"PDF · 1 página"_qs);
        QVERIFY(!row(u"PDF · 1 página"_qs).value(2).toByteArray().isEmpty());
    }

    void undecodableContentKeepsItsTitleAndHasNoThumbnail()
    {
        record(clipOf(T::png, "not really a png"));
        record(clipOf(T::pdf, "%PDF-1.4 truncated"));
        QCOMPARE(row(u"Imagem"_qs).value(0).toString(), u"image"_qs);
        QVERIFY(row(u"Imagem"_qs).value(2).toByteArray().isEmpty());
        QCOMPARE(row(u"PDF"_qs).value(0).toString(), u"pdf"_qs);
    }

    void otherKindsAreStoredUnchanged()
    {
        CapturedClip clip = clipOf(T::plainText, "um texto qualquer");
        QCOMPARE(CaptureRecorder::prepare(clip), std::nullopt);
        QCOMPARE(clip.title, u"um texto qualquer"_qs);
        QCOMPARE(record(clip).history.first().title, u"um texto qualquer"_qs);
    }

    void historyLimitsApplyAfterEachCapture()
    {
        // Times are kept to the millisecond: captures this fast would otherwise tie.
        record(clipOf(T::plainText, "one"), 2);
        QTest::qWait(3);
        record(clipOf(T::plainText, "two"), 2);
        QTest::qWait(3);
        const Snapshot snapshot = record(clipOf(T::plainText, "three"), 2);
        QCOMPARE(snapshot.history.size(), 2);
        QCOMPARE(snapshot.history.first().title, u"three"_qs);
        QVERIFY(row(u"one"_qs).isEmpty());
        // A limit of 0 empties the history, the new card included.
        QCOMPARE(record(clipOf(T::plainText, "four"), 0).history.size(), 0);
    }

    void aFailedCaptureLeavesNothingBehind()
    {
        store->sync([](Store &s) { s.db().exec("DROP TABLE representations"); });
        QTest::ignoreMessage(QtCriticalMsg, QRegularExpression(u"^Erro no banco: "_qs));
        record(clipOf(T::plainText, "lost"));
        QVERIFY(row(u"lost"_qs).isEmpty());
    }
};

QTEST_MAIN(TestCaptureRecorder)
#include "tst_capturerecorder.moc"
