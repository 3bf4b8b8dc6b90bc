// The capture path into a real database file: content that does not decode keeps its title,
// and a failure leaves no partial card. (Titles and thumbnails are checked end to end.)

#include "app/CaptureRecorder.h"
#include "app/StoreFunnel.h"

#include "capture/Classifier.h"
#include "core/ClipboardTypes.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace T = ClipboardTypes;

namespace {

CapturedClip clipOf(const QString &type, const QByteArray &bytes)
{
    const QList<Representation> reps{Representation{0, type, bytes}};
    return *Classifier::classify(reps, bytes.size(), CaptureRules(),
                                 [] { return std::optional<SrgbColor>(); });
}

} // namespace

class TestCaptureRecorder : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<Store> store;
    std::unique_ptr<StoreFunnel> funnel;

    // Records and waits for the snapshot that follows; its history's titles.
    QStringList record(const CapturedClip &clip, CaptureRecorder::SavingReport saving = {})
    {
        QSignalSpy ready(funnel.get(), &StoreFunnel::snapshotReady);
        CaptureRecorder(*funnel, std::move(saving)).record(clip, 1000, 0);
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

    void aDocumentThatDoesNotDecodeKeepsItsTitle()
    {
        QCOMPARE(record(clipOf(T::pdf, "%PDF-1.4 truncated")).value(0), u"PDF"_qs);
        QCOMPARE(stored("SELECT kind || ':' || (thumbnail IS NULL) FROM items"), u"pdf:1"_qs);
    }

    void aFailedCaptureLeavesNothingBehind()
    {
        store->sync([](Store &s) { s.db().exec("DROP TABLE representations"); });
        QTest::ignoreMessage(QtCriticalMsg, QRegularExpression(u"^Erro no banco: "_qs));
        record(clipOf(T::plainText, "lost"));
        QCOMPARE(stored("SELECT COUNT(*) FROM items"), u"0"_qs);
    }

    // A full disk, or a database file replaced while running, is told (to the tray) after the
    // copy that met it, and the all-clear after the next copy that is saved.
    void copiesNotSavedAreTold()
    {
        QList<std::optional<QString>> told;
        const auto tell = [&](const std::optional<QString> &problem) { told << problem; };
        store->sync([](Store &s) {
            const QByteArray pages = s.db().scalarText("PRAGMA page_count").value().toLatin1();
            s.db().exec("PRAGMA max_page_count = " + pages); // the disk is full
        });
        QTest::ignoreMessage(QtCriticalMsg, QRegularExpression(u"^Erro no banco: "_qs));
        record(clipOf(T::plainText, QByteArray(20000, 'x')), tell);
        store->sync([](Store &s) { s.db().exec("PRAGMA max_page_count = 1000000"); });
        record(clipOf(T::plainText, "room again"), tell);

        const QString path = dir.filePath(QTest::currentTestFunction() + u".sqlite"_qs);
        QVERIFY(QFile::rename(path, path + u".old"_qs));
        QVERIFY(QFile(path).open(QIODevice::WriteOnly));
        QCOMPARE(record(clipOf(T::plainText, "into the old file"), tell).size(), 2);
        QCOMPARE(told.size(), 3);
        QVERIFY(told[0] && told[0]->contains(u"full"_qs));
        QCOMPARE(told[1], std::nullopt);
        QCOMPARE(told[2], u"o arquivo do histórico foi trocado ou apagado"_qs);
    }
};

QTEST_MAIN(TestCaptureRecorder)
#include "tst_capturerecorder.moc"
