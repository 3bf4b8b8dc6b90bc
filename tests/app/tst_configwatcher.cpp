// The live configuration: a file swapped for something that is not a small regular file is
// refused without reading it, and the running settings stay.

#include "app/ConfigWatcher.h"
#include "settings/ConfigFile.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

class TestConfigWatcher : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aFileSwappedForADeviceIsRefused()
    {
        QTemporaryDir dir;
        VaruConfig config;
        config.historyLimit = 7;
        ConfigFile::save(config, dir.path());
        ConfigWatcher watcher(dir.path());
        QCOMPARE(watcher.read(), std::optional(config));

        const QString path = ConfigFile::path(dir.path());
        QVERIFY(QFile::remove(path));
        QCOMPARE(watcher.read(), std::nullopt); // gone for a moment: silent
        QVERIFY(QFile::link(u"/dev/zero"_qs, path));
        QTest::ignoreMessage(QtCriticalMsg,
                             QRegularExpression(u"^config\\.json inválido, mantendo"_qs));
        QCOMPARE(watcher.read(), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(TestConfigWatcher)
#include "tst_configwatcher.moc"
