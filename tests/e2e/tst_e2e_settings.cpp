// The settings window of the real binary, driven with the keyboard alone on a desktop with a
// window manager and a tray: opened from the tray, the history limit prunes at once, the
// secret filter turned off keeps a password copy, a recorded shortcut works and one another
// client holds is refused, and clearing the history leaves the tabs.

#include "DbProbe.h"
#include "DesktopSession.h"

#include "store/Store.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <xcb/xcb.h>

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

// Another application on the same display, holding Ctrl+Alt+J on the root window while Num
// Lock is on. Varu claims the combination in every state of the lock keys, so it is refused,
// while the plain press still reaches the settings window to be recorded.
class OtherClient
{
public:
    explicit OtherClient(const QString &display)
        : m_c(xcb_connect(display.toLatin1().constData(), nullptr))
    {}
    ~OtherClient() { xcb_disconnect(m_c); }
    bool grabCtrlAltJ()
    {
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(m_c)).data->root;
        xcb_generic_error_t *e = xcb_request_check(
            m_c, xcb_grab_key_checked(m_c, 1, root,
                                      XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_2, 44,
                                      XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        free(e);
        return !e;
    }

private:
    xcb_connection_t *m_c;
};

} // namespace

class E2eSettings : public QObject
{
    Q_OBJECT

    std::unique_ptr<DesktopSession> m_s;
    QProcess *m_varu = nullptr;
    QByteArray m_log;
    QString m_shots;

    QString dbPath() const { return m_s->dataDir() + u"/varu.sqlite"_qs; }
    qint64 count(const QString &sql) { return DbProbe(dbPath()).scalar(sql).toLongLong(); }
    qint64 inHistory() { return count(u"SELECT COUNT(*) FROM items WHERE in_history = 1"_qs); }
    qint64 withTitle(const QString &title)
    {
        return DbProbe(dbPath())
            .scalar(u"SELECT COUNT(*) FROM items WHERE title = '%1'"_qs.arg(title))
            .toLongLong();
    }

    bool logged(const QByteArray &text, int timeoutMs = 10000)
    {
        return DesktopSession::waitFor(
            [&] {
                m_log += m_varu->readAllStandardError();
                return m_log.contains(text);
            },
            timeoutMs);
    }
    QJsonObject config()
    {
        QFile f(m_s->dataDir() + u"/config.json"_qs);
        return f.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(f.readAll()).object()
                                           : QJsonObject();
    }
    QStringList settingsWindows() { return m_s->windowsNamed(u"^Ajustes do Varu$"_qs); }
    bool stripShown() { return !m_s->windowsNamed(u"^Varu$"_qs).isEmpty(); }

    void key(const QString &k) { m_s->run(u"xdotool"_qs, {u"key"_qs, u"--delay"_qs, u"60"_qs, k}); }
    void keys(const QStringList &ks)
    {
        m_s->run(u"xdotool"_qs, QStringList{u"key"_qs, u"--delay"_qs, u"60"_qs} + ks);
    }
    void tabs(int n) { keys(QStringList(n, u"Tab"_qs)); }

    // `varu settings PANE`, then the window active and holding the keyboard.
    bool openPane(const QString &pane)
    {
        if (m_s->run(DesktopSession::varuBinary(), {u"settings"_qs, pane}) != 0)
            return false;
        QStringList found;
        if (!DesktopSession::waitFor([&] { return !(found = settingsWindows()).isEmpty(); }))
            return false;
        m_s->run(u"xdotool"_qs, {u"windowactivate"_qs, u"--sync"_qs, found.first()}, nullptr, 3000);
        QTest::qWait(300);
        return true;
    }
    bool closeWindow()
    {
        key(u"Escape"_qs);
        return DesktopSession::waitFor([&] { return settingsWindows().isEmpty(); });
    }
    void shot(const QString &name)
    {
        if (!m_shots.isEmpty()) {
            QTest::qWait(300);
            m_s->screenshot(m_shots + u"/"_qs + name);
        }
    }
    bool copy(const QByteArray &text)
    {
        return m_s->run(u"xclip"_qs, {u"-selection"_qs, u"clipboard"_qs}, nullptr, 5000, text) == 0;
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_s = std::make_unique<DesktopSession>(DesktopSession::Options{true, true});
        QVERIFY2(m_s->isReady(), qPrintable(m_s->error()));
        m_shots = qEnvironmentVariable("VARU_SCREENSHOTS");
        {
            // 250 cards in the history, two of them also in a tab.
            QVERIFY(QDir().mkpath(m_s->dataDir()));
            auto store = Store::open(dbPath());
            for (int i = 0; i < 250; ++i)
                store->upsert(textClip(u"card %1"_qs.arg(i)), std::nullopt, 100000);
            const QString tab = store->createTab(u"Receitas"_qs, u"#4CBF8A"_qs, 1);
            for (const QString &id : store->db().column("SELECT id FROM items LIMIT 2"))
                store->add(id, tab, 2);
        }
        m_varu = m_s->startVaru();
        QVERIFY(DesktopSession::waitFor([&] {
            QByteArray out;
            m_s->run(u"xdotool"_qs, {u"search"_qs, u"--classname"_qs, u"^varu$"_qs}, &out);
            return !out.trimmed().isEmpty();
        }));
        QTest::qWait(500);
        QCOMPARE(inHistory(), 250);
    }

    void theTrayOpensTheWindow()
    {
        QByteArray out;
        m_s->run(u"xdotool"_qs, {u"search"_qs, u"--classname"_qs, u"^varu$"_qs}, &out);
        const QStringList icons = QString::fromUtf8(out).split(u'\n', Qt::SkipEmptyParts);
        QVERIFY(!icons.isEmpty());
        // Clicking the icon opens the menu, and the keyboard moves in it.
        QVERIFY(DesktopSession::waitFor(
            [&] {
                for (const QString &icon : icons)
                    m_s->run(u"xdotool"_qs, {u"mousemove"_qs, u"--window"_qs, icon, u"5"_qs,
                                             u"5"_qs, u"click"_qs, u"1"_qs});
                QTest::qWait(400);
                // Down past "Abrir Varu", "Pausar captura", "Abrir ao iniciar sessão".
                keys({u"Down"_qs, u"Down"_qs, u"Down"_qs, u"Down"_qs, u"Return"_qs});
                return DesktopSession::waitFor([&] { return !settingsWindows().isEmpty(); }, 2000);
            },
            20000));
        shot(u"e2e-settings-from-tray.png"_qs);
        QVERIFY(closeWindow());
    }

    void choosingTwoHundredItemsPrunesAtOnce()
    {
        QVERIFY(openPane(u"history"_qs));
        // From the pane's entry in the sidebar: the rest of the sidebar, retention, limit.
        tabs(5);
        keys({u"Up"_qs, u"Up"_qs}); // 1000 -> 500 -> 200
        QVERIFY(DesktopSession::waitFor([&] { return inHistory() == 200; }));
        QCOMPARE(config().value(u"historyLimit"_qs).toInt(), 200);
        shot(u"e2e-settings-history.png"_qs);
        QVERIFY(closeWindow());
    }

    void turningTheSecretFilterOffKeepsAPasswordCopy()
    {
        QVERIFY(copy("senha: abc"));
        QVERIFY(copy("uma cópia comum"));
        QVERIFY(DesktopSession::waitFor([&] { return withTitle(u"uma cópia comum"_qs) == 1; }));
        QCOMPARE(withTitle(u"senha: abc"_qs), 0);

        QVERIFY(openPane(u"privacy"_qs));
        tabs(3); // the rest of the sidebar, then the switch
        key(u"space"_qs);
        QVERIFY(DesktopSession::waitFor(
            [&] { return config().value(u"skipSecrets"_qs) == QJsonValue(false); }));
        QVERIFY(closeWindow());
        QVERIFY(copy("senha: x"));
        QVERIFY(DesktopSession::waitFor([&] { return withTitle(u"senha: x"_qs) == 1; }));
    }

    void aRecordedShortcutWorksAndAHeldOneIsRefused()
    {
        QVERIFY(openPane(u"general"_qs));
        tabs(5); // the rest of the sidebar, then the shortcut's button
        key(u"space"_qs);
        key(u"ctrl+alt+k"_qs);
        QVERIFY(DesktopSession::waitFor([&] {
            const QJsonObject hotKey = config().value(u"hotKey"_qs).toObject();
            return hotKey.value(u"key"_qs) == u"k"_qs &&
                   hotKey.value(u"modifiers"_qs).toArray() == QJsonArray{u"ctrl"_qs, u"opt"_qs};
        }));
        QVERIFY(closeWindow());
        key(u"ctrl+alt+k"_qs);
        QVERIFY(DesktopSession::waitFor([&] { return stripShown(); }));
        key(u"ctrl+alt+k"_qs);
        QVERIFY(DesktopSession::waitFor([&] { return !stripShown(); }));

        OtherClient other(m_s->display());
        QVERIFY(other.grabCtrlAltJ());
        QVERIFY(openPane(u"general"_qs));
        tabs(5);
        key(u"space"_qs);
        key(u"ctrl+alt+j"_qs);
        QVERIFY(logged("Ajustes: Esse atalho já está em uso por outro app. Mantive Ctrl+Alt+K."));
        shot(u"e2e-settings-refused-shortcut.png"_qs);
        QCOMPARE(config().value(u"hotKey"_qs).toObject().value(u"key"_qs), u"k"_qs);
        QVERIFY(closeWindow());
        key(u"ctrl+alt+k"_qs); // the previous shortcut still works
        QVERIFY(DesktopSession::waitFor([&] { return stripShown(); }));
        key(u"Escape"_qs);
        QVERIFY(DesktopSession::waitFor([&] { return !stripShown(); }));
    }

    void clearingEmptiesTheHistoryAndLeavesTabs()
    {
        QVERIFY(inHistory() > 0);
        const qint64 pinned = count(u"SELECT COUNT(*) FROM board_items"_qs);
        QCOMPARE(pinned, 2);
        QVERIFY(openPane(u"history"_qs));
        tabs(6); // the sidebar, both pickers, then "Limpar…"
        m_log.clear();
        key(u"space"_qs);
        QVERIFY(logged("Pergunta: Apagar todo o histórico do Varu?"));
        QTest::qWait(300);
        key(u"Return"_qs);
        QVERIFY(DesktopSession::waitFor([&] { return inHistory() == 0; }));
        QCOMPARE(count(u"SELECT COUNT(*) FROM board_items"_qs), pinned);
    }

    void cleanupTestCase()
    {
        m_varu = nullptr;
        m_s.reset();
    }
};

QTEST_GUILESS_MAIN(E2eSettings)
#include "tst_e2e_settings.moc"
