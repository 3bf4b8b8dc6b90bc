// The tray menu in each state the application can be in: the status line, which entries
// appear with their marks and shortcuts, and the icon that goes with the state.

#include "app/TrayMenu.h"

#include <QTest>

using Access = ClipboardMonitor::Access;

class TestTrayMenu : public QObject
{
    Q_OBJECT

    static QStringList texts(const TrayMenu::State &state)
    {
        QStringList out;
        for (const TrayMenu::Entry &e : TrayMenu::entries(state))
            out << (e.isSeparator() ? u"—"_qs : e.text);
        return out;
    }

private Q_SLOTS:
    void capturing()
    {
        TrayMenu::State s{u"Super+Shift+V"_qs, false, Access::Allowed, 12, 3, true, true, {}};
        QCOMPARE(texts(s),
                 (QStringList{u"Abrir Varu (Super+Shift+V)"_qs,
                              u"Capturando · 12 itens · 3 tabs"_qs, u"—"_qs, u"Pausar captura"_qs,
                              u"Abrir ao iniciar sessão"_qs, u"—"_qs, u"Ajustes…"_qs,
                              u"Exportar dados…"_qs, u"Importar dados…"_qs,
                              u"Boas-vindas e permissões…"_qs, u"—"_qs, u"Sair do Varu"_qs}));
        const QList<TrayMenu::Entry> menu = TrayMenu::entries(s);
        QVERIFY(!menu.at(1).enabled && menu.at(0).enabled);
        QVERIFY(menu.at(4).checkable && menu.at(4).checked);
        QCOMPARE(menu.at(6).shortcut, u"Ctrl+,"_qs);
        QCOMPARE(menu.last().shortcut, u"Ctrl+Q"_qs);
        QCOMPARE(TrayMenu::iconState(s), StatusIcon::State::Normal);
    }

    void notCapturing_data()
    {
        QTest::addColumn<bool>("paused");
        QTest::addColumn<Access>("access");
        QTest::addColumn<QString>("status");
        QTest::addColumn<int>("icon");
        QTest::newRow("paused and denied")
            << true << Access::Denied << u"Captura pausada"_qs << int(StatusIcon::State::Paused);
        QTest::newRow("needs permission")
            << false << Access::NeedsPermission << u"Sem permissão para ler o clipboard"_qs
            << int(StatusIcon::State::Warning);
        QTest::newRow("denied") << false << Access::Denied << u"Leitura do clipboard bloqueada"_qs
                                << int(StatusIcon::State::Warning);
        // Copies going nowhere outrank a pause: the user must not think them kept.
        QTest::newRow("paused, not saving")
            << true << Access::Denied
            << u"Cards não estão sendo salvos: erro ao gravar (database or disk is full)"_qs
            << int(StatusIcon::State::Warning);
    }
    void notCapturing()
    {
        QFETCH(bool, paused);
        QFETCH(Access, access);
        QFETCH(QString, status);
        QFETCH(int, icon);
        TrayMenu::State s{u"Super+Shift+V"_qs, paused, access, 0, 0, false, false, {}};
        if (status.startsWith(u"Cards não"_qs))
            s.notSaving = u"erro ao gravar (database or disk is full)"_qs;
        const QStringList menu = texts(s);
        QCOMPARE(menu.at(1), status);
        QCOMPARE(menu.mid(3, 3),
                 (QStringList{u"Permitir acesso ao clipboard…"_qs,
                              u"Por que a colagem automática não funciona…"_qs,
                              paused ? u"Retomar captura"_qs : u"Pausar captura"_qs}));
        QCOMPARE(int(TrayMenu::iconState(s)), icon);
    }
};

QTEST_GUILESS_MAIN(TestTrayMenu)
#include "tst_traymenu.moc"
