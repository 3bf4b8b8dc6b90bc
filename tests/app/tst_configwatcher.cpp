// config.json changed by hand while Varu runs: a valid file is handed on each time it is
// saved (also after editors replace the file), an invalid one is logged and ignored.

#include "app/ConfigWatcher.h"
#include "settings/ConfigFile.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TestConfigWatcher : public QObject
{
    Q_OBJECT

    static void write(const QString &path, const QByteArray &bytes)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }

private Q_SLOTS:
    void savesAreFollowedAndBadFilesIgnored()
    {
        QTemporaryDir dir;
        VaruConfig config;
        ConfigFile::save(config, dir.path());
        ConfigWatcher watcher(dir.path());
        QSignalSpy changed(&watcher, &ConfigWatcher::changed);

        // Replaced whole, as QSaveFile and most editors do.
        config.historyLimit = 50;
        ConfigFile::save(config, dir.path());
        QTRY_COMPARE(changed.size(), 1);
        QCOMPARE(changed.at(0).at(0).value<VaruConfig>().historyLimit, 50);

        // Written in place, the way a plain `echo >` does; a broken file changes nothing.
        QTest::ignoreMessage(
            QtCriticalMsg,
            QRegularExpression(u"^config.json inválido, mantendo os ajustes atuais: "_qs));
        write(ConfigFile::path(dir.path()), "{\"historyLimit\": \"200\"}");
        QTest::qWait(ConfigWatcher::kSettleMs * 3);
        QCOMPARE(changed.size(), 1);

        write(ConfigFile::path(dir.path()), "{\"historyLimit\": 7}");
        QTRY_COMPARE(changed.size(), 2);
        QCOMPARE(changed.at(1).at(0).value<VaruConfig>().historyLimit, 7);

        // Deleted and written again.
        QFile::remove(ConfigFile::path(dir.path()));
        config.historyLimit = 9;
        ConfigFile::save(config, dir.path());
        QTRY_COMPARE(changed.size(), 3);
        QCOMPARE(changed.at(2).at(0).value<VaruConfig>().historyLimit, 9);
    }
};

QTEST_GUILESS_MAIN(TestConfigWatcher)
#include "tst_configwatcher.moc"
