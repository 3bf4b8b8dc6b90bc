// The installed package, as a person meets it after `apt-get install ./varu_*.deb`: the
// binary in /usr/bin starts, keeps a copy, shows the strip with `varu toggle`, and a .varu
// file opened the way a file manager opens it reaches Varu through the installed desktop
// entry and file type (and nothing under the build folder or the home).

#include "DbProbe.h"
#include "DesktopSession.h"

#include "store/Store.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kVaru = QStringLiteral(VARU_INSTALLED_BINARY);

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

} // namespace

class InstalledPackage : public QObject
{
    Q_OBJECT

    std::unique_ptr<DesktopSession> m_s;
    QProcess *m_varu = nullptr;
    QByteArray m_log;

    QString dbPath() const { return m_s->dataDir() + u"/varu.sqlite"_qs; }
    qint64 items() { return DbProbe(dbPath()).scalar(u"SELECT COUNT(*) FROM items"_qs).toLongLong(); }

    bool logged(const QByteArray &text)
    {
        return DesktopSession::waitFor([&] {
            m_log += m_varu->readAllStandardError();
            return m_log.contains(text);
        });
    }

    // Visible windows titled "Varu" with a width in [min, max): the strip spans the screen,
    // alerts are a few hundred pixels wide.
    QStringList varuWindows(int minWidth, int maxWidth)
    {
        QStringList found;
        for (const QString &id : m_s->windowsNamed(u"^Varu$"_qs)) {
            QByteArray out;
            m_s->run(u"xdotool"_qs, {u"getwindowgeometry"_qs, u"--shell"_qs, id}, &out);
            const int at = out.indexOf("WIDTH=");
            const int width = out.mid(at + 6, out.indexOf('\n', at) - at - 6).toInt();
            if (at >= 0 && width >= minWidth && width < maxWidth)
                found << id;
        }
        return found;
    }
    bool waitStrip(bool shown)
    {
        return DesktopSession::waitFor(
            [&] { return varuWindows(1000, 100000).isEmpty() != shown; });
    }
    // Presses `key` on the alert in front, again while it stays: on a busy machine the first
    // key can arrive before the alert has the keyboard.
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

private Q_SLOTS:
    void initTestCase()
    {
        if (!QFileInfo(kVaru).isExecutable())
            QSKIP("Varu is not installed: scripts/dev.sh test installs the package first");
        // Only the system's entries, so a copy under /usr/local or in a home cannot stand in
        // for the package's.
        qputenv("XDG_DATA_DIRS", "/usr/share");
        m_s = std::make_unique<DesktopSession>(DesktopSession::Options{true, true});
        QVERIFY2(m_s->isReady(), qPrintable(m_s->error()));
    }

    void startsKeepsACopyAndShowsTheStrip()
    {
        m_varu = m_s->start(kVaru);
        QVERIFY(DesktopSession::waitFor([&] {
            return QFile::exists(dbPath()) && DbProbe(dbPath()).columnsOf(u"items"_qs).size() > 0;
        }));
        m_s->run(u"xclip"_qs, {u"-selection"_qs, u"clipboard"_qs}, nullptr, 5000,
                 "copiado do pacote");
        QVERIFY(DesktopSession::waitFor([&] {
            return DbProbe(dbPath())
                       .scalar(u"SELECT COUNT(*) FROM items WHERE title = ?"_qs,
                               {u"copiado do pacote"_qs})
                       .toInt() == 1;
        }));

        QCOMPARE(m_s->run(kVaru, {u"toggle"_qs}), 0);
        QVERIFY(waitStrip(true));
        QCOMPARE(m_s->run(kVaru, {u"toggle"_qs}), 0);
        QVERIFY(waitStrip(false));
        QCOMPARE(m_varu->state(), QProcess::Running);
    }

    void aBackupOpensInItThroughTheInstalledDesktopEntry()
    {
        QVERIFY(m_varu);
        const QString backup = m_s->home() + u"/Receitas.varu"_qs;
        {
            QTemporaryDir dir;
            auto other = Store::open(dir.filePath(u"other.sqlite"_qs));
            other->upsert(textClip(u"bolo de fubá"_qs), std::nullopt, 1000);
            other->upsert(textClip(u"pão de queijo"_qs), std::nullopt, 1001);
            other->exportTo(backup, Store::ExportScope::everything());
        }
        QByteArray handler;
        m_s->run(u"gio"_qs, {u"mime"_qs, u"application/x-varu-backup"_qs}, &handler);
        QVERIFY2(handler.contains("Default application for “application/x-varu-backup”: "
                                  "com.teko.varu.desktop"),
                 handler.constData());
        QFile entry(u"/usr/share/applications/com.teko.varu.desktop"_qs);
        QVERIFY(entry.open(QIODevice::ReadOnly));
        QVERIFY(entry.readAll().contains("\nExec=" VARU_INSTALLED_BINARY " %F\n"));

        const qint64 before = items();
        QCOMPARE(m_s->run(u"gio"_qs, {u"open"_qs, backup}), 0);
        QVERIFY(logged("Pergunta: Importar “Receitas” no Varu?"));
        QVERIFY(answerAlert(u"Return"_qs));
        QVERIFY(logged("Alerta: Importação concluída — 2 cards novos"));
        QVERIFY(answerAlert(u"Return"_qs));
        QCOMPARE(items(), before + 2);
    }
};

QTEST_GUILESS_MAIN(InstalledPackage)
#include "tst_installed.moc"
