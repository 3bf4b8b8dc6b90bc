// The tray menu in each state the application can be in: the status line, which entries
// appear, their marks and shortcuts, the icon that goes with the state, and that choosing an
// entry of the real menu reaches the shell.

#include "app/StatusTray.h"
#include "app/TrayMenu.h"

#include <QSignalSpy>
#include <QTest>

using Access = PasteboardMonitor::Access;

namespace {

QStringList texts(const QList<TrayMenu::Entry> &entries)
{
    QStringList out;
    for (const TrayMenu::Entry &e : entries)
        out << (e.isSeparator() ? u"—"_qs : e.text);
    return out;
}

TrayMenu::State capturing()
{
    TrayMenu::State s;
    s.hotKeyLabel = u"⇧⌘V"_qs;
    s.historyCount = 12;
    s.boardCount = 3;
    return s;
}

} // namespace

class TestTrayMenu : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void capturingWithEverythingAllowed()
    {
        TrayMenu::State s = capturing();
        s.launchAtLogin = true;
        const QList<TrayMenu::Entry> menu = TrayMenu::entries(s);
        QCOMPARE(texts(menu),
                 (QStringList{u"Abrir Varu (⇧⌘V)"_qs, u"Capturando · 12 itens · 3 tabs"_qs, u"—"_qs,
                              u"Pausar captura"_qs, u"Abrir ao iniciar sessão"_qs, u"—"_qs,
                              u"Ajustes…"_qs, u"Exportar dados…"_qs, u"Importar dados…"_qs, u"—"_qs,
                              u"Sair do Varu"_qs}));
        QVERIFY(!menu.at(1).enabled);
        QVERIFY(menu.at(4).checkable && menu.at(4).checked);
        QCOMPARE(menu.at(6).shortcut, u"Ctrl+,"_qs);
        QCOMPARE(menu.last().shortcut, u"Ctrl+Q"_qs);
        for (const TrayMenu::Entry &e : menu)
            QVERIFY(e.enabled || e.command == TrayMenu::Command::None);
        QCOMPARE(TrayMenu::iconState(s), StatusIcon::State::Normal);
    }

    void pausedWinsOverAnyAccessState()
    {
        TrayMenu::State s = capturing();
        s.paused = true;
        s.access = Access::Denied;
        const QStringList menu = texts(TrayMenu::entries(s));
        QCOMPARE(menu.at(1), u"Captura pausada"_qs);
        QCOMPARE(menu.at(3), u"Permitir acesso ao clipboard…"_qs);
        QVERIFY(menu.contains(u"Retomar captura"_qs));
        QVERIFY(!menu.contains(u"Pausar captura"_qs));
        QCOMPARE(TrayMenu::iconState(s), StatusIcon::State::Paused);
    }

    void blockedReadingAndNoKeystrokes()
    {
        TrayMenu::State s = capturing();
        s.access = Access::NeedsPermission;
        s.canPostKeystrokes = false;
        QStringList menu = texts(TrayMenu::entries(s));
        QCOMPARE(menu.at(1), u"Sem permissão para ler o clipboard"_qs);
        QCOMPARE(menu.mid(3, 2),
                 (QStringList{u"Permitir acesso ao clipboard…"_qs,
                              u"Permitir colagem automática (Acessibilidade)…"_qs}));
        QCOMPARE(TrayMenu::iconState(s), StatusIcon::State::Warning);

        s.access = Access::Denied;
        QCOMPARE(TrayMenu::statusLine(s), u"Leitura do clipboard bloqueada"_qs);
        s.access = Access::Allowed;
        s.historyCount = 0;
        s.boardCount = 0;
        menu = texts(TrayMenu::entries(s));
        QCOMPARE(menu.at(1), u"Capturando · 0 itens · 0 tabs"_qs);
        QVERIFY(!menu.contains(u"Permitir acesso ao clipboard…"_qs));
    }

    void theMenuIsRebuiltFromTheCurrentStateAndReportsChoices()
    {
        TrayMenu::State state = capturing();
        int asked = 0;
        StatusTray tray([&] {
            ++asked;
            return state;
        });
        QSignalSpy chosen(&tray, &StatusTray::chosen);
        Q_EMIT tray.menu()->aboutToShow();
        QCOMPARE(asked, 1);
        QCOMPARE(tray.menu()->actions().at(1)->text(), u"Capturando · 12 itens · 3 tabs"_qs);

        state.paused = true;
        Q_EMIT tray.menu()->aboutToShow();
        const QList<QAction *> actions = tray.menu()->actions();
        QCOMPARE(actions.size(), 11); // the old entries are gone
        QVERIFY(!actions.at(1)->isEnabled());
        QVERIFY(actions.at(4)->isCheckable() && !actions.at(4)->isChecked());
        QCOMPARE(actions.at(6)->shortcut(), QKeySequence(u"Ctrl+,"_qs));
        actions.at(3)->trigger();
        QTRY_COMPARE(chosen.size(), 1);
        QCOMPARE(chosen.at(0).at(0).value<TrayMenu::Command>(), TrayMenu::Command::TogglePause);
    }
};

QTEST_MAIN(TestTrayMenu)
#include "tst_traymenu.moc"
