// What the varu command understands: remote commands, files to open, and mistakes.

#include "app/CommandLine.h"

#include <QTest>

class TestCommandLine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parsesEachForm()
    {
        using A = CommandLine::Action;
        QCOMPARE(CommandLine::parse({}, u"/w"_qs).action, A::Start);
        QCOMPARE(CommandLine::parse({u"toggle"_qs}, u"/w"_qs).action, A::Toggle);
        const CommandLine settings = CommandLine::parse({u"settings"_qs, u"history"_qs}, u"/w"_qs);
        QCOMPARE(settings.action, A::Settings);
        QCOMPARE(settings.pane, u"history"_qs);
        QVERIFY(settings.isRemoteCommand());

        const CommandLine files = CommandLine::parse(
            {u"a.varu"_qs, u"/abs/b.VARU"_qs, u"file:///x/c%20d.varu"_qs, u"../e.varu"_qs},
            u"/w/sub"_qs);
        QCOMPARE(files.action, A::Start);
        QCOMPARE(files.files, QStringList({u"/w/sub/a.varu"_qs, u"/abs/b.VARU"_qs,
                                           u"/x/c d.varu"_qs, u"/w/e.varu"_qs}));
        QVERIFY(!files.isRemoteCommand());
    }

    void rejectsWhatItDoesNotKnow()
    {
        using A = CommandLine::Action;
        QCOMPARE(CommandLine::parse({u"toggle"_qs, u"x"_qs}, u"/w"_qs).action, A::Invalid);
        const CommandLine bad = CommandLine::parse({u"x.varu"_qs, u"--frobnicate"_qs}, u"/w"_qs);
        QCOMPARE(bad.action, A::Invalid);
        QVERIFY(bad.error.contains(u"--frobnicate"_qs));
        QVERIFY(bad.files.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
