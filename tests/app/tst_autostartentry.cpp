// Launch at login: the autostart entry is written, read back, honoured when hidden, removed,
// and a refusal from the file system is reported.

#include "app/AutostartEntry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestAutostartEntry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void togglesTheEntry()
    {
        QTemporaryDir dir;
        AutostartEntry entry(dir.path(), u"/opt/my apps/varu"_qs);
        QVERIFY(!entry.isEnabled());
        QString error;
        QVERIFY(entry.setEnabled(true, &error));
        QVERIFY(entry.isEnabled());
        QFile f(entry.path());
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray text = f.readAll();
        QVERIFY(text.contains("Exec=\"/opt/my apps/varu\"\n"));
        f.close();

        QVERIFY(entry.setEnabled(false, &error));
        QVERIFY(!QFile::exists(entry.path()));
        QVERIFY(entry.setEnabled(false, &error)); // already off
    }

    void hiddenEntriesAreOff()
    {
        QTemporaryDir dir;
        AutostartEntry entry(dir.path(), u"/usr/bin/varu"_qs);
        QVERIFY(QDir().mkpath(dir.path() + u"/autostart"_qs));
        QFile f(entry.path());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Desktop Entry]\nExec=varu\nHidden = True\n");
        f.close();
        QVERIFY(!entry.isEnabled());
    }

    void refusalIsReported()
    {
        QTemporaryDir dir;
        // A file where the autostart folder should be.
        QFile blocker(dir.path() + u"/autostart"_qs);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        AutostartEntry entry(dir.path(), u"/usr/bin/varu"_qs);
        QString error;
        QVERIFY(!entry.setEnabled(true, &error));
        QVERIFY(!error.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestAutostartEntry)
#include "tst_autostartentry.moc"
