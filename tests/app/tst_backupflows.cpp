// Backups as the user meets them, against real store files: the names proposed for exports,
// the question before a file from outside is imported, the reports of imports and the
// failures of both, and the question before the history is cleared.

#include "ShellFixtures.h"

#include "app/BackupFlows.h"
#include "app/ShellDialogs.h"

#include "store/Connection.h"

#include <QFile>

namespace {

// Answers as the test decides, and remembers what the user was shown.
struct ScriptedDialogs : ShellDialogs
{
    QStringList shown; // "message | informative" for every alert and question
    bool answer = true;
    std::optional<QString> file;
    QStringList proposed;
    QStringList revealed;

    void alert(const QString &message, const QString &informative) override
    {
        shown << message + u" | "_qs + informative;
    }
    bool confirm(const QString &message, const QString &informative, const QString &accept,
                 bool) override
    {
        shown << message + u" | "_qs + informative + u" ["_qs + accept + u"]"_qs;
        return answer;
    }
    std::optional<QString> saveBackup(const QString &fileName, const QString &message,
                                      const QString &accept) override
    {
        proposed << fileName + u" | "_qs + message + u" ["_qs + accept + u"]"_qs;
        return file;
    }
    std::optional<QString> openBackup(const QString &, const QString &) override { return file; }
    void reveal(const QString &path) override { revealed << path; }
};

} // namespace

class TestBackupFlows : public QObject
{
    Q_OBJECT

    struct Rig : ShellRig
    {
        ScriptedDialogs dialogs;
        int hides = 0;
        BackupFlows flows{funnel, model, dialogs, [this] { ++hides; }};
        QSignalSpy imported{&flows, &BackupFlows::importFinished};
        QSignalSpy exported{&flows, &BackupFlows::exportFinished};
    };

    // A backup made by another Varu: `cards` new cards, all in one tab when `tab` is set.
    static QString backupWith(QTemporaryDir &dir, const QStringList &cards, const QString &tab)
    {
        Rig other;
        QStringList ids;
        for (const QString &text : cards)
            ids << other.capture(text, 100 + ids.size());
        if (!tab.isEmpty())
            other.store->sync([&](Store &s) {
                const QString board = s.createBoard(tab, u"#5B8DEF"_qs);
                for (const QString &id : ids)
                    s.add(id, board);
            });
        const QString path = dir.filePath(tab + cards.join(u'-') + u".varu"_qs);
        other.store->sync([&](Store &s) { s.exportTo(path, Store::ExportScope::everything()); });
        return path;
    }

private Q_SLOTS:
    void importReport_data()
    {
        QTest::addColumn<qint64>("items");
        QTest::addColumn<qint64>("boards");
        QTest::addColumn<QString>("text");
        QTest::newRow("one card") << 1LL << 0LL << u"1 card novo."_qs;
        QTest::newRow("two tabs only") << 0LL << 2LL << u"0 cards novos e 2 tabs novas."_qs;
        QTest::newRow("one tab") << 5LL << 1LL << u"5 cards novos e 1 tab nova."_qs;
    }
    void importReport()
    {
        QFETCH(qint64, items);
        QFETCH(qint64, boards);
        QFETCH(QString, text);
        QCOMPARE(BackupFlows::importReport({items, boards}), text);
    }

    void exportsProposeTheirNamesAndRevealTheFile()
    {
        QCOMPARE(BackupFlows::everythingFileName(QDateTime(QDate(2026, 12, 6), QTime(14, 3, 22))),
                 u"Varu 2026-12-06 às 14.03.22.varu"_qs);

        Rig r;
        const QString a = r.capture(u"alfa"_qs, 100);
        QString board;
        QVERIFY(r.settle([&](Store &s) {
            board = s.createBoard(u"A/B"_qs, u"#5B8DEF"_qs);
            s.add(a, board);
        }));
        const qsizetype reloads = r.snapshots.size();

        r.dialogs.file = r.dir.filePath(u"tab.varu"_qs);
        r.flows.exportBoard(board);
        QCOMPARE(r.hides, 1);
        QCOMPARE(r.dialogs.proposed.value(0),
                 u"A-B.varu | Exporta só os cards da tab “A/B”. Quem abrir o arquivo recebe a "
                 "tab no Varu. [Exportar]"_qs);
        QTRY_COMPARE(r.exported.size(), 1);
        QCOMPARE(r.dialogs.revealed, QStringList{*r.dialogs.file});
        QVERIFY(QFile::exists(*r.dialogs.file));
        QCOMPARE(r.snapshots.size(), reloads); // the live database did not change

        // A tab that is gone by now exports under a generic name; cancelling does nothing.
        r.dialogs.file.reset();
        r.flows.exportBoard(u"nenhuma"_qs);
        QVERIFY(r.dialogs.proposed.value(1).startsWith(
            u"Tab.varu | Exporta só os cards da tab “Tab”"_qs));
        QVERIFY(r.settle());
        QCOMPARE(r.exported.size(), 1);
    }

    void aFailedExportSaysWhy()
    {
        Rig r;
        r.dialogs.file = r.dir.filePath(u"sem/pasta/backup.varu"_qs);
        r.flows.exportEverything();
        QTRY_COMPARE(r.exported.size(), 1);
        QCOMPARE(r.exported.at(0).at(0).toBool(), false);
        QVERIFY(r.dialogs.proposed.value(0).startsWith(u"Varu "_qs));
        QVERIFY2(r.dialogs.shown.value(0).startsWith(u"Não foi possível exportar | sql(\""_qs),
                 qPrintable(r.dialogs.shown.value(0)));
        QVERIFY(r.dialogs.revealed.isEmpty());
    }

    void aFileFromOutsideIsImportedOnlyWhenTheUserAgrees()
    {
        QTemporaryDir files;
        const QString path = backupWith(files, {u"um"_qs, u"dois"_qs}, u"Trabalho"_qs);
        Rig r;
        const QString question =
            u"Importar “Trabalho"
            u"um-dois” no Varu? | Os cards e tabs do arquivo entram no "
            "seu Varu. Cards iguais não duplicam e tabs com o mesmo nome são juntadas. [Importar]"_qs;

        r.dialogs.answer = false;
        r.flows.runImport(path, true);
        QCOMPARE(r.dialogs.shown, QStringList{question});
        QVERIFY(r.settle()); // had a reload been queued, it would have arrived first
        QCOMPARE(r.snapshots.size(), 1);
        QVERIFY(r.model.history().isEmpty());

        r.dialogs.answer = true;
        r.flows.runImport(path, true);
        QTRY_COMPARE(r.imported.size(), 1);
        QCOMPARE(r.dialogs.shown.last(), u"Importação concluída | 2 cards novos e 1 tab nova."_qs);
        QCOMPARE(r.model.history().size(), 2); // the strip had the cards before the report

        // The same file again adds nothing, and says so.
        r.flows.runImport(path, false);
        QTRY_COMPARE(r.imported.size(), 2);
        QCOMPARE(r.dialogs.shown.last(), u"Importação concluída | 0 cards novos."_qs);
    }

    void whatIsNotABackupIsReported()
    {
        Rig r;
        // Some other program's database, under our extension.
        const QString path = r.dir.filePath(u"notas.varu"_qs);
        Connection::open(path)->exec("CREATE TABLE notes (body TEXT)");

        r.dialogs.file = path;
        r.flows.importFile();
        QCOMPARE(r.hides, 1);
        QTRY_COMPARE(r.imported.size(), 1);
        QCOMPARE(
            r.dialogs.shown,
            QStringList{u"Não foi possível importar | Este arquivo não é um backup do Varu."_qs});
        QCOMPARE(r.snapshots.size(), 1); // reloaded all the same
    }

    void clearingAsksWithTheCountAndKeepsTabs()
    {
        Rig r;
        QVERIFY(r.settle());
        r.dialogs.answer = true;
        r.flows.clearHistory();
        QCOMPARE(r.dialogs.shown.value(0),
                 u"Apagar todo o histórico do Varu? | Isso remove 0 itens do histórico. O que "
                 "está nas tabs continua lá. [Apagar]"_qs);
        QVERIFY(r.settle());
        QCOMPARE(r.snapshots.size(), 3); // cleared even with nothing to clear

        const QString a = r.capture(u"alfa"_qs, 100);
        r.capture(u"beta"_qs, 200);
        QVERIFY(r.settle([a](Store &s) { s.add(a, s.createBoard(u"T"_qs, u"#5B8DEF"_qs)); }));
        r.dialogs.answer = false;
        r.flows.clearHistory();
        QVERIFY(r.dialogs.shown.last().contains(u"Isso remove 2 itens"_qs));
        QVERIFY(r.settle());
        QCOMPARE(r.model.history().size(), 2);

        r.dialogs.answer = true;
        r.flows.clearHistory();
        QVERIFY(r.settle());
        QVERIFY(r.model.history().isEmpty());
        QCOMPARE(r.model.boardItems().begin()->size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestBackupFlows)
#include "tst_backupflows.moc"
