// Launch at login: the autostart entry written with a quoted command, read back, removed, and
// a refusal from the file system reported.

#include "app/AutostartEntry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestAutostartEntry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writesReadsAndRemovesTheEntry()
    {
        QTemporaryDir dir;
        AutostartEntry entry(dir.path(), u"/opt/my apps/varu"_qs);
        QString error;
        QVERIFY(!entry.isEnabled());
        QVERIFY(entry.setEnabled(true, &error) && entry.isEnabled());
        QFile f(entry.path());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readAll().contains("Exec=\"/opt/my apps/varu\"\n"));
        f.close();
        QVERIFY(entry.setEnabled(false, &error) && !QFile::exists(entry.path()));
    }

    // A launcher would expand a bare % or $ and split on the space: both must survive.
    void escapesFieldCodesAndShellCharacters()
    {
        QTemporaryDir dir;
        AutostartEntry entry(dir.path(), u"/opt/100%/va$u"_qs);
        QString error;
        QVERIFY(entry.setEnabled(true, &error));
        QFile f(entry.path());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readAll().contains("Exec=\"/opt/100%%/va\\\\$u\"\n"));
    }

    void refusalIsReported()
    {
        QTemporaryDir dir;
        QFile blocker(dir.filePath(u"autostart"_qs)); // a file where the folder should be
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QString error;
        QVERIFY(!AutostartEntry(dir.path(), u"/usr/bin/varu"_qs).setEnabled(true, &error));
        QVERIFY(!error.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestAutostartEntry)
#include "tst_autostartentry.moc"
