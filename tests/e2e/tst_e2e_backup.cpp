// A backup imported into the data folder, then the real application started on it: the
// launch expires the imported history by the retention period in the configuration, and
// cards kept in a tab survive outside the history.

#include "DbProbe.h"
#include "DesktopSession.h"

#include "store/Store.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

constexpr double kDay = 86400;

CapturedClip textClip(const QString &text)
{
    CapturedClip c;
    c.reps = {{0, u"public.utf8-plain-text"_qs, text.toUtf8()}};
    c.title = text;
    c.checksum = Representation::checksum(c.reps);
    c.totalBytes = text.toUtf8().size();
    return c;
}

// Records a clip and returns its card's id.
QString record(Store &store, const CapturedClip &clip, const std::optional<QByteArray> &thumbnail,
               double at)
{
    store.upsert(clip, thumbnail, at);
    return store.db()
        .scalarText("SELECT id FROM items WHERE checksum = ?", {clip.checksum})
        .value_or(QString());
}

} // namespace

class E2eBackup : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    void launchExpiresTheImportedHistoryByTheConfiguredAge()
    {
        DesktopSession s;
        QVERIFY2(s.isReady(), qPrintable(s.error()));
        QVERIFY(QDir().mkpath(s.dataDir()));
        const QString dbPath = s.dataDir() + u"/varu.sqlite"_qs;
        const double now = Store::currentTime();
        {
            const QString backup = m_dir.filePath(u"aged.varu"_qs);
            auto source = Store::open(m_dir.filePath(u"aged.sqlite"_qs));
            record(*source, textClip(u"recent"_qs), std::nullopt, now - kDay);
            record(*source, textClip(u"old"_qs), std::nullopt, now - 30 * kDay);
            const QString pinned =
                record(*source, textClip(u"pinned"_qs), std::nullopt, now - 30 * kDay);
            source->add(pinned, source->createBoard(u"Guardados"_qs, u"#5B8DEF"_qs));
            source->exportTo(backup, Store::ExportScope::everything());
            QCOMPARE(Store::open(dbPath)->importData(backup).items, 3);
        }
        QFile config(s.dataDir() + u"/config.json"_qs);
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write(R"({"historyRetentionDays": 7})");
        config.close();

        QProcess *varu = s.startVaru();
        DbProbe db(dbPath);
        const auto inHistory = [&] {
            return db.query(u"SELECT title FROM items WHERE in_history = 1"_qs);
        };
        QVERIFY2(DesktopSession::waitFor([&] { return inHistory().size() == 1; }),
                 qPrintable(QString::fromUtf8(varu->readAllStandardError())));
        QCOMPARE(inHistory(), QList<QVariantList>({{u"recent"_qs}}));
        QCOMPARE(db.query(u"SELECT title, in_history FROM items WHERE title <> 'recent'"_qs),
                 QList<QVariantList>({{u"pinned"_qs, qint64(0)}}));
        QCOMPARE(db.scalar(u"SELECT COUNT(*) FROM representations"_qs).toInt(), 2);
        QCOMPARE(varu->state(), QProcess::Running);
        varu->terminate();
        QVERIFY(varu->waitForFinished(5000));
    }
};

QTEST_GUILESS_MAIN(E2eBackup)
#include "tst_e2e_backup.moc"
