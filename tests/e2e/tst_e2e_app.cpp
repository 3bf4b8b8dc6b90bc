// The application as a person uses it, on a desktop with a window manager and a tray: copy
// in another program, open the strip with the hotkey, paste the newest card with Return into
// the window that was in front; `varu toggle`, a second `varu`, .varu files opened before
// launch and from the file manager (asked, imported, reported), and config.json edited by
// hand.

#include "DbProbe.h"
#include "DesktopSession.h"

#include "store/Store.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTest>

namespace {

CapturedClip textClip(const QString &text)
{
    CapturedClip c;
    c.reps = {{0, u"public.utf8-plain-text"_qs, text.toUtf8()}};
    c.kind = ClipKind::Text;
    c.title = text;
    c.checksum = Representation::checksum(c.reps);
    c.totalBytes = text.toUtf8().size();
    return c;
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class E2eApp : public QObject
{
    Q_OBJECT

    std::unique_ptr<DesktopSession> m_s;
    QProcess *m_varu = nullptr;
    QByteArray m_log;
    QString m_shots;

    QString dbPath() const { return m_s->dataDir() + u"/varu.sqlite"_qs; }

    qint64 count(const QString &sql) { return DbProbe(dbPath()).scalar(sql).toLongLong(); }
    qint64 items() { return count(u"SELECT COUNT(*) FROM items"_qs); }
    qint64 inHistory() { return count(u"SELECT COUNT(*) FROM items WHERE in_history = 1"_qs); }

    bool logged(const QByteArray &text, int timeoutMs = 10000)
    {
        return DesktopSession::waitFor(
            [&] {
                m_log += m_varu->readAllStandardError();
                return m_log.contains(text);
            },
            timeoutMs);
    }

    // Visible windows titled "Varu" whose width lies in [min, max): the strip spans the
    // screen, alerts are a few hundred pixels wide.
    QStringList varuWindows(int minWidth, int maxWidth)
    {
        return windowsWide(m_s->windowsNamed(u"^Varu$"_qs), minWidth, maxWidth);
    }
    // The tray icon: embedded in the tray, which xdotool does not count as visible.
    QStringList trayIcon()
    {
        QByteArray out;
        m_s->run(u"xdotool"_qs, {u"search"_qs, u"--classname"_qs, u"^varu$"_qs}, &out);
        return windowsWide(QString::fromUtf8(out).split(u'\n', Qt::SkipEmptyParts), 10, 100);
    }
    QStringList windowsWide(const QStringList &ids, int minWidth, int maxWidth)
    {
        QStringList found;
        for (const QString &id : ids) {
            QByteArray out;
            m_s->run(u"xdotool"_qs, {u"getwindowgeometry"_qs, u"--shell"_qs, id}, &out);
            const int at = out.indexOf("WIDTH=");
            const int width = out.mid(at + 6, out.indexOf('\n', at) - at - 6).toInt();
            if (at >= 0 && width >= minWidth && width < maxWidth)
                found << id;
        }
        return found;
    }
    bool stripShown() { return !varuWindows(1000, 100000).isEmpty(); }
    // The quick preview: narrower than the strip, wider than any alert.
    bool previewShown() { return !varuWindows(560, 1000).isEmpty(); }
    bool waitPreview(bool shown)
    {
        return DesktopSession::waitFor([&] { return previewShown() == shown; });
    }
    bool waitStrip(bool shown)
    {
        return DesktopSession::waitFor([&] { return stripShown() == shown; });
    }

    // Answers the alert in front with a key, again while that alert stays: on a busy machine
    // the first key can arrive before it has the keyboard.
    bool answerAlert(const QString &key)
    {
        QStringList alerts;
        if (!DesktopSession::waitFor([&] { return !(alerts = varuWindows(100, 1000)).isEmpty(); }))
            return false;
        for (int attempt = 0; attempt < 10; ++attempt) {
            m_s->run(u"xdotool"_qs, {u"windowactivate"_qs, u"--sync"_qs, alerts.first()}, nullptr,
                     3000);
            m_s->run(u"xdotool"_qs, {u"key"_qs, key});
            if (DesktopSession::waitFor(
                    [&] { return !varuWindows(100, 1000).contains(alerts.first()); }, 1500))
                return true;
        }
        return false;
    }

    void xclip(const QByteArray &text)
    {
        m_s->run(u"xclip"_qs, {u"-selection"_qs, u"clipboard"_qs}, nullptr, 5000, text);
    }
    bool copy(const QByteArray &text)
    {
        const qint64 before = items();
        xclip(text);
        return DesktopSession::waitFor([&] { return items() > before; });
    }

    void key(const QString &k) { m_s->run(u"xdotool"_qs, {u"key"_qs, k}); }

    // What `scripts/dev.sh run` installs for the user: the desktop entry and the .varu type.
    bool installDesktopEntry()
    {
        const QString share = m_s->home() + u"/.local/share"_qs;
        const QString resources = QStringLiteral(VARU_SOURCE_DIR) + u"/resources"_qs;
        QDir().mkpath(share + u"/applications"_qs);
        QDir().mkpath(share + u"/mime/packages"_qs);
        QByteArray entry = readFile(resources + u"/com.teko.varu.desktop.in"_qs);
        entry.replace("@VARU_EXEC@", DesktopSession::varuBinary().toUtf8());
        QFile out(share + u"/applications/com.teko.varu.desktop"_qs);
        if (!out.open(QIODevice::WriteOnly) || out.write(entry) != entry.size())
            return false;
        out.close();
        return QFile::copy(resources + u"/varu-mime.xml"_qs,
                           share + u"/mime/packages/varu.xml"_qs) &&
               m_s->run(u"update-mime-database"_qs, {share + u"/mime"_qs}) == 0 &&
               m_s->run(u"update-desktop-database"_qs, {share + u"/applications"_qs}) == 0;
    }

private Q_SLOTS:
    QString backup() const { return m_s->home() + u"/Receitas da vó.varu"_qs; }

    // A file double-clicked before Varu ran: asked about once the launch is done; declined.
    void initTestCase()
    {
        m_s = std::make_unique<DesktopSession>(DesktopSession::Options{true, true});
        QVERIFY2(m_s->isReady(), qPrintable(m_s->error()));
        m_shots = qEnvironmentVariable("VARU_SCREENSHOTS");
        {
            QTemporaryDir dir;
            auto other = Store::open(dir.filePath(u"other.sqlite"_qs));
            other->upsert(textClip(u"bolo de fubá"_qs), std::nullopt, 1000);
            other->upsert(textClip(u"pão de queijo"_qs), std::nullopt, 1001);
            const QString userTab = other->createTab(u"Receitas"_qs, u"#4CBF8A"_qs, 1002);
            for (const QString &id : other->db().column("SELECT id FROM items"))
                other->add(id, userTab, 1003);
            other->exportTo(backup(), Store::ExportScope::everything());
        }
        m_varu = m_s->startVaru({backup()});
        QVERIFY(logged("Pergunta: Importar “Receitas da vó” no Varu? — Os cards e tabs do "
                       "arquivo entram no seu Varu. Cards iguais não duplicam e tabs com o "
                       "mesmo nome são juntadas."));
        QVERIFY(!trayIcon().isEmpty()); // the launch had ended
        QVERIFY(answerAlert(u"Escape"_qs));
        QTest::qWait(500);
        QCOMPARE(items(), 0);
    }

    void hotkeyOpensTheNewestCardAndReturnPastesIt()
    {
        const QString out = m_s->home() + u"/pasted.txt"_qs;
        QProcess *probe = m_s->start(QStringLiteral(VARU_PASTE_PROBE), {u"Alvo"_qs, out});
        QVERIFY(probe);
        QVERIFY(
            DesktopSession::waitFor([&] { return !m_s->windowsNamed(u"^Alvo$"_qs).isEmpty(); }));
        QVERIFY(copy("o mais antigo"));
        QVERIFY(copy("o mais novo ✓"));

        m_s->run(u"xdotool"_qs,
                 {u"search"_qs, u"--name"_qs, u"^Alvo$"_qs, u"windowactivate"_qs, u"--sync"_qs});
        key(u"super+shift+v"_qs);
        QVERIFY(waitStrip(true));
        if (!m_shots.isEmpty()) {
            QTest::qWait(400);
            m_s->screenshot(m_shots + u"/e2e-strip.png"_qs);
        }
        key(u"Return"_qs);
        QVERIFY(waitStrip(false));
        QTRY_COMPARE_WITH_TIMEOUT(readFile(out), QByteArray("o mais novo ✓"), 10000);
        // Pasting is not a new copy.
        QTest::qWait(800);
        QCOMPARE(items(), 2);
    }

    void ctrlNumberPastesAColourAsItsHex()
    {
        const QString out = m_s->home() + u"/colour.txt"_qs;
        QProcess *probe = m_s->start(QStringLiteral(VARU_PASTE_PROBE), {u"Texto"_qs, out});
        QVERIFY(probe);
        QVERIFY(
            DesktopSession::waitFor([&] { return !m_s->windowsNamed(u"^Texto$"_qs).isEmpty(); }));
        // A colour picker's copy: four 16-bit channels and nothing else.
        const quint16 rgba[4] = {0xE8E8, 0xB7B7, 0x3030, 0xFFFF};
        const qint64 before = items();
        m_s->run(u"xclip"_qs,
                 {u"-selection"_qs, u"clipboard"_qs, u"-t"_qs, u"application/x-color"_qs}, nullptr,
                 5000, QByteArray(reinterpret_cast<const char *>(rgba), sizeof rgba));
        QVERIFY(DesktopSession::waitFor([&] { return items() > before; }));

        m_s->run(u"xdotool"_qs,
                 {u"search"_qs, u"--name"_qs, u"^Texto$"_qs, u"windowactivate"_qs, u"--sync"_qs});
        key(u"super+shift+v"_qs);
        QVERIFY(waitStrip(true));
        key(u"ctrl+1"_qs);
        QVERIFY(waitStrip(false));
        QTRY_COMPARE_WITH_TIMEOUT(readFile(out), QByteArray("#E8B730"), 10000);
        probe->terminate();
    }

    void toggleAndASecondLaunchReachTheRunningOne()
    {
        QCOMPARE(m_s->run(DesktopSession::varuBinary(), {u"toggle"_qs}), 0);
        QVERIFY(waitStrip(true));
        QCOMPARE(m_s->run(DesktopSession::varuBinary(), {u"toggle"_qs}), 0);
        QVERIFY(waitStrip(false));

        // A second start hands over and leaves; the first shows the strip.
        QCOMPARE(m_s->run(DesktopSession::varuBinary(), {}), 0);
        QVERIFY(waitStrip(true));
        QCOMPARE(m_varu->state(), QProcess::Running);
        key(u"Escape"_qs);
        QVERIFY(waitStrip(false));
    }

    void previewCommandTogglesThePreviewOverTheStrip()
    {
        // Without the strip there is nothing to show it over, and nothing to close it.
        QCOMPARE(m_s->run(DesktopSession::varuBinary(), {u"preview"_qs}), 0);
        QTest::qWait(500);
        QVERIFY(!previewShown());

        QCOMPARE(m_s->run(DesktopSession::varuBinary(), {u"toggle"_qs}), 0);
        QVERIFY(waitStrip(true));
        QCOMPARE(m_s->run(DesktopSession::varuBinary(), {u"preview"_qs}), 0);
        QVERIFY(waitPreview(true));
        QCOMPARE(m_s->run(DesktopSession::varuBinary(), {u"preview"_qs}), 0);
        QVERIFY(waitPreview(false));
        QVERIFY(stripShown());

        // Open again, Escape closes the preview first and then the strip.
        QCOMPARE(m_s->run(DesktopSession::varuBinary(), {u"preview"_qs}), 0);
        QVERIFY(waitPreview(true));
        key(u"Escape"_qs);
        QVERIFY(waitPreview(false));
        QVERIFY(stripShown());
        key(u"Escape"_qs);
        QVERIFY(waitStrip(false));
    }

    void aBackupOpenedFromTheFileManagerIsImportedAndReported()
    {
        const qint64 before = items();
        // Opened by its type's desktop entry, as a file manager does.
        QVERIFY(installDesktopEntry());
        m_log.clear();
        QCOMPARE(m_s->run(u"gio"_qs, {u"open"_qs, backup()}), 0);
        QVERIFY(logged("Pergunta: Importar “Receitas da vó” no Varu?"));
        QVERIFY(answerAlert(u"Return"_qs));
        QVERIFY(logged("Alerta: Importação concluída — 2 cards novos e 1 tab nova."));
        QVERIFY(answerAlert(u"Return"_qs));
        QCOMPARE(items(), before + 2);
        QCOMPARE(DbProbe(dbPath()).scalar(u"SELECT name FROM boards"_qs).toString(),
                 u"Receitas"_qs);
    }

    void editingConfigJsonAppliesIt()
    {
        // Written in place, as `echo >` does.
        QVERIFY(inHistory() > 1);
        QFile config(m_s->dataDir() + u"/config.json"_qs);
        QVERIFY(config.open(QIODevice::WriteOnly | QIODevice::Truncate));
        config.write("{ \"historyLimit\": 1 }\n");
        config.close();
        QVERIFY(DesktopSession::waitFor([&] { return inHistory() == 1; }));
        QCOMPARE(count(u"SELECT COUNT(*) FROM board_items"_qs), 2); // tabs keep theirs

        // Replaced whole, as editors save, twice. A broken file changes nothing, and a limit
        // of 0, which would empty the history, is refused.
        for (const QByteArray &json :
             {QByteArray("{ \"historyLimit\": \"0\" }"), QByteArray("{ \"historyLimit\": 0 }")}) {
            QSaveFile replaced(config.fileName());
            QVERIFY(replaced.open(QIODevice::WriteOnly));
            replaced.write(json);
            QVERIFY(replaced.commit());
            QVERIFY(logged(json.contains("\"0\"")
                               ? "config.json inválido, mantendo os ajustes atuais"
                               : "historyLimit 0 ignorado: o histórico guarda pelo "
                                 "menos 1 card; usando 1"));
        }
        // The new card comes in before the old one is pruned: wait for both.
        xclip("o último");
        QVERIFY(DesktopSession::waitFor([&] {
            const QString newest = DbProbe(dbPath())
                                       .scalar(u"SELECT title FROM items WHERE in_history = 1"_qs)
                                       .toString();
            return inHistory() == 1 && newest == u"o último"_qs;
        }));
    }

    void cleanupTestCase()
    {
        m_varu = nullptr;
        m_s.reset();
    }
};

QTEST_GUILESS_MAIN(E2eApp)
#include "tst_e2e_app.moc"
