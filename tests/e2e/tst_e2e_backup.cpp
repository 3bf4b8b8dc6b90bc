// A backup imported into the data folder, then the real application started on it: the
// launch expires the imported history by the retention period in the configuration, and
// cards kept in a tab survive outside the history.

#include "DbProbe.h"
#include "DesktopSession.h"

#include "store/Store.h"

#include <QDir>
#include <QFile>
#include <QTest>

class E2eBackup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void launchExpiresTheImportedHistoryByTheConfiguredAge()
    {
        DesktopSession s;
        QVERIFY2(s.isReady(), qPrintable(s.error()));
        QVERIFY(QDir().mkpath(s.dataDir()));
        const QString dbPath = s.dataDir() + u"/varu.sqlite"_qs;
        const double day = 86400, now = Store::currentTime();
        {
            QTemporaryDir dir;
            const QString backup = dir.filePath(u"aged.varu"_qs);
            auto source = Store::open(dir.filePath(u"aged.sqlite"_qs));
            const QString userTab = source->createTab(u"Guardados"_qs, u"#5B8DEF"_qs);
            const std::pair<QString, int> ages[] = {
                {u"recent"_qs, 1}, {u"old"_qs, 30}, {u"pinned"_qs, 30}};
            for (const auto &[text, age] : ages) {
                CapturedClip c;
                c.reps = {{0, u"public.utf8-plain-text"_qs, text.toUtf8()}};
                c.title = text;
                c.checksum = Representation::checksum(c.reps);
                c.totalBytes = text.toUtf8().size();
                source->upsert(c, std::nullopt, now - age * day);
            }
            source->add(*source->db().scalarText("SELECT id FROM items WHERE title = 'pinned'"),
                        userTab);
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
        varu->terminate();
        QVERIFY(varu->waitForFinished(5000));
    }
};

QTEST_GUILESS_MAIN(E2eBackup)
#include "tst_e2e_backup.moc"
