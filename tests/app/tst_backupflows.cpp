// Backups and clearing as the user meets them, against real store files: the names and texts
// of exports, the question before a file from outside is imported, the import reports and
// failures, and the question before the history is cleared.

#include "ShellFixtures.h"

#include "app/BackupFlows.h"
#include "app/ShellDialogs.h"
#include "store/Connection.h"

#include <QBuffer>
#include <QImage>

#include <sys/stat.h>

namespace {

// Answers as the test decides and remembers what the user was shown, one line each, and how
// many dialogs were ever open at once.
struct ScriptedDialogs : ShellDialogs
{
    QStringList shown;
    bool answer = true;
    std::optional<QString> file;
    QStringList revealed;
    // Run while the next question is open, as requests arriving in its event loop would.
    std::function<void()> whileAsking;
    int open = 0;
    int mostOpen = 0;

    void alert(const QString &message, const QString &informative) override
    {
        shown << message + u" | "_qs + informative;
    }
    bool confirm(const QString &message, const QString &informative, const QString &accept,
                 bool) override
    {
        shown << message + u" | "_qs + informative + u" ["_qs + accept + u"]"_qs;
        mostOpen = std::max(mostOpen, ++open);
        if (whileAsking)
            std::exchange(whileAsking, {})();
        --open;
        return answer;
    }
    std::optional<QString> saveBackup(const QString &name, const QString &message,
                                      const QString &accept) override
    {
        shown << name + u" | "_qs + message + u" ["_qs + accept + u"]"_qs;
        return file;
    }
    std::optional<QString> openBackup(const QString &, const QString &) override { return file; }
    void reveal(const QString &path) override { revealed << path; }
};

struct Rig : ShellRig
{
    ScriptedDialogs dialogs;
    BackupFlows flows{funnel, model, dialogs, {}};
    QSignalSpy imported{&flows, &BackupFlows::importFinished};
    QSignalSpy exported{&flows, &BackupFlows::exportFinished};
};

} // namespace

class TestBackupFlows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void importReport()
    {
        QCOMPARE(BackupFlows::importReport({1, 0}), u"1 card novo."_qs);
        QCOMPARE(BackupFlows::importReport({0, 2}), u"0 cards novos e 2 tabs novas."_qs);
        QCOMPARE(BackupFlows::importReport({5, 1}), u"5 cards novos e 1 tab nova."_qs);
    }

    void exports()
    {
        QCOMPARE(BackupFlows::everythingFileName(QDateTime(QDate(2026, 12, 6), QTime(14, 3, 22))),
                 u"Varu 2026-12-06 às 14.03.22.varu"_qs);
        Rig r;
        const QString a = r.capture(u"alfa"_qs, 100);
        QString userTab;
        QVERIFY(
            r.settle([&](Store &s) { s.add(a, userTab = s.createTab(u"A/B"_qs, u"#5B8DEF"_qs)); }));
        const qsizetype reloads = r.snapshots.size();

        r.dialogs.file = r.dir.filePath(u"tab.varu"_qs);
        r.flows.exportTab(userTab);
        QVERIFY(arrived(r.exported, 1));
        // The warning comes as a message before the file chooser, whose title stays short.
        QCOMPARE(r.dialogs.shown.value(0),
                 u"Exportar a tab “A/B” | Exporta só os cards da tab “A/B”. Quem abrir o "
                 "arquivo recebe a tab no Varu. [Escolher arquivo…]"_qs);
        QCOMPARE(r.dialogs.shown.value(1), u"A-B.varu | Exportar a tab “A/B” [Exportar]"_qs);
        QCOMPARE(r.dialogs.revealed, QStringList{*r.dialogs.file});
        QCOMPARE(r.snapshots.size(), reloads); // the live database did not change

        r.dialogs.file = r.dir.filePath(u"sem/pasta/tudo.varu"_qs);
        r.flows.exportEverything();
        QVERIFY(arrived(r.exported, 2));
        QVERIFY(r.dialogs.shown.value(2).startsWith(u"Exportar o histórico e as tabs | "_qs));
        QVERIFY(r.dialogs.shown.value(3).startsWith(u"Varu "_qs));
        QVERIFY2(r.dialogs.shown.value(4).startsWith(u"Não foi possível exportar | sql(\""_qs),
                 qPrintable(r.dialogs.shown.value(4)));

        // Declining the warning asks for no file and writes nothing.
        r.dialogs.answer = false;
        r.flows.exportEverything();
        QCOMPARE(r.dialogs.shown.size(), 6);
        QCOMPARE(r.exported.size(), 2);
        QCOMPARE(r.dialogs.revealed.size(), 1);
    }

    void imports()
    {
        // A backup from another Varu: two cards in one tab.
        QTemporaryDir files;
        const QString path = files.filePath(u"Trabalho.varu"_qs);
        {
            Rig other;
            const QString a = other.capture(u"um"_qs, 1);
            const QString b = other.capture(u"dois"_qs, 2);
            other.store->sync([&](Store &s) {
                const QString userTab = s.createTab(u"Trabalho"_qs, u"#5B8DEF"_qs);
                s.add(a, userTab);
                s.add(b, userTab);
                s.exportTo(path, Store::ExportScope::everything());
            });
        }
        Rig r;
        // From outside, declined: nothing is imported, nothing reloads.
        r.dialogs.answer = false;
        r.flows.runImport(path, true);
        QCOMPARE(r.dialogs.shown, QStringList{u"Importar “Trabalho” no Varu? | Os cards e "
                                              "tabs do arquivo entram no seu Varu. Cards iguais "
                                              "não duplicam e tabs com o mesmo nome são juntadas. "
                                              "[Importar]"_qs});
        QVERIFY(r.settle()); // a reload queued before would have arrived first
        QCOMPARE(r.snapshots.size(), 1);

        // Accepted, it is reported once the strip has the cards; again, it adds nothing.
        r.dialogs.answer = true;
        r.flows.runImport(path, true);
        r.flows.runImport(path, false);
        QVERIFY(arrived(r.imported, 2));
        QStringList reports = r.dialogs.shown.mid(2); // the two files are copied side by side
        reports.sort();
        QCOMPARE(reports, (QStringList{u"Importação concluída | 0 cards novos."_qs,
                                       u"Importação concluída | 2 cards novos e 1 tab nova."_qs}));

        // Another program's database under our extension.
        r.dialogs.file = r.dir.filePath(u"notas.varu"_qs);
        Connection::open(*r.dialogs.file)->exec("CREATE TABLE notes (body TEXT)");
        const qsizetype reloads = r.snapshots.size();
        r.flows.importFile();
        QVERIFY(arrived(r.imported, 3));
        QCOMPARE(r.dialogs.shown.last(),
                 u"Não foi possível importar | Este arquivo não é um backup do Varu."_qs);
        QCOMPARE(r.snapshots.size(), reloads + 1);
    }

    // Files opened from outside while a question is up wait for it: one question at a time,
    // one per file however often it is opened.
    void questionsComeOneAtATime()
    {
        Rig r;
        r.dialogs.answer = false;
        QStringList paths;
        for (int i = 0; i < 30; ++i)
            paths << r.dir.filePath(u"backup %1.varu"_qs.arg(i % 10));
        r.dialogs.whileAsking = [&] {
            for (const QString &path : paths)
                r.flows.runImport(path, true);
        };
        r.flows.runImport(paths.first(), true);
        QCOMPARE(r.dialogs.mostOpen, 1);
        QCOMPARE(r.dialogs.shown.size(), 10);
        QCOMPARE(r.dialogs.shown.last().left(25), u"Importar “backup 9” no Va"_qs);
        // Answered, a file may be asked about again.
        r.flows.runImport(paths.first(), true);
        QCOMPARE(r.dialogs.shown.size(), 11);
    }

    // A FIFO under a backup's name is refused at once, and the store goes on recording.
    void specialFilesHoldNothingUp()
    {
        Rig r;
        const QString path = r.dir.filePath(u"pipe.varu"_qs);
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        r.flows.runImport(path, false);
        QVERIFY(arrived(r.imported, 1));
        QCOMPARE(r.imported.first().first().toBool(), false);
        QCOMPARE(r.dialogs.shown.last(),
                 u"Não foi possível importar | Este arquivo não é um backup do Varu."_qs);
        r.capture(u"still recorded"_qs, 1);
        QVERIFY(r.settle());
        QCOMPARE(r.model.history().size(), 1);
    }

    // Imported cards are recognised as the same content copied now would be: a file card
    // shows the path it pastes, an image gets its title and thumbnail from its own pixels.
    void importedCardsShowWhatTheyPaste()
    {
        QTemporaryDir files;
        const QString path = files.filePath(u"ferias.varu"_qs);
        QByteArray png;
        {
            QImage image(40, 30, QImage::Format_RGB32);
            image.fill(Qt::red);
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            image.save(&buffer, "PNG");
        }
        {
            Rig other;
            other.store->sync([&](Store &s) {
                CapturedClip file;
                file.reps = {{0, u"public.file-url"_qs, "file:///etc/shadow"}};
                file.title = u"/home/ana/ferias.jpg"_qs;
                file.kind = ClipKind::File;
                file.checksum = Representation::checksum(file.reps);
                s.upsert(file, std::nullopt, 1);
                CapturedClip image;
                image.reps = {{0, u"public.png"_qs, png}};
                image.title = u"Imagem 4000 × 3000"_qs;
                image.kind = ClipKind::Image;
                image.checksum = Representation::checksum(image.reps);
                s.upsert(image, QByteArray("not a thumbnail"), 2);
                s.exportTo(path, Store::ExportScope::everything());
            });
        }
        Rig r;
        r.flows.runImport(path, false);
        QVERIFY(arrived(r.imported, 1));
        QCOMPARE(r.value("SELECT group_concat(kind || ':' || title, ' | ') FROM "
                         "(SELECT * FROM items ORDER BY created_at)"),
                 u"file:/etc/shadow | image:Imagem 40 × 30"_qs);
        QImage thumbnail;
        QVERIFY(thumbnail.loadFromData(
            QByteArray::fromHex(r.value("SELECT hex(thumbnail) FROM items WHERE kind = 'image'")
                                    .toLatin1())));
        QCOMPARE(thumbnail.size(), QSize(40, 30));
    }

    void clearingAsksWithTheCountAndKeepsTabs()
    {
        Rig r;
        const QString a = r.capture(u"alfa"_qs, 100);
        r.capture(u"beta"_qs, 200);
        QVERIFY(r.settle([a](Store &s) { s.add(a, s.createTab(u"T"_qs, u"#5B8DEF"_qs)); }));
        r.dialogs.answer = false;
        r.flows.clearHistory();
        QCOMPARE(r.dialogs.shown.value(0),
                 u"Apagar todo o histórico do Varu? | Isso remove 2 itens "
                 "do histórico. O que está nas tabs continua lá. [Apagar]"_qs);
        QVERIFY(r.settle());
        QCOMPARE(r.model.history().size(), 2);
        r.dialogs.answer = true;
        r.flows.clearHistory();
        QVERIFY(r.settle());
        QVERIFY(r.model.history().isEmpty());
        QCOMPARE(r.model.tabItems().begin()->size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestBackupFlows)
#include "tst_backupflows.moc"
