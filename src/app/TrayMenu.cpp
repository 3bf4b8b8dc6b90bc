#include "TrayMenu.h"

#include "core/KeyNames.h"

namespace TrayMenu {

QString statusLine(const State &state)
{
    using Access = ClipboardMonitor::Access;
    // Lost copies matter more than any other state.
    if (state.notSaving)
        return QStringLiteral("Cards não estão sendo salvos: ") + *state.notSaving;
    if (state.paused)
        return QStringLiteral("Captura pausada");
    switch (state.access) {
    case Access::NeedsPermission:
        return QStringLiteral("Sem permissão para ler o clipboard");
    case Access::Denied:
        return QStringLiteral("Leitura do clipboard bloqueada");
    case Access::Allowed:
        break;
    }
    return QStringLiteral("Capturando · %1 itens · %2 tabs")
        .arg(state.historyCount)
        .arg(state.tabCount);
}

StatusIcon::State iconState(const State &state)
{
    if (state.notSaving)
        return StatusIcon::State::Warning;
    if (state.paused)
        return StatusIcon::State::Paused;
    if (state.access != ClipboardMonitor::Access::Allowed)
        return StatusIcon::State::Warning;
    return StatusIcon::State::Normal;
}

QList<Entry> entries(const State &state)
{
    auto item = [](Command command, const QString &text, const QString &shortcut = {}) {
        Entry e;
        e.command = command;
        e.text = text;
        e.shortcut = shortcut;
        return e;
    };
    Entry status = item(Command::None, statusLine(state));
    status.enabled = false;
    Entry login = item(Command::ToggleLogin, QStringLiteral("Abrir ao iniciar sessão"));
    login.checkable = true;
    login.checked = state.launchAtLogin;
    const Entry separator;

    QList<Entry> menu;
    menu << item(Command::OpenStrip,
                 QStringLiteral("Abrir Varu (") + state.hotKeyLabel + QLatin1Char(')'));
    menu << status << separator;
    if (state.access != ClipboardMonitor::Access::Allowed)
        menu << item(Command::RequestClipboardAccess,
                     QStringLiteral("Permitir acesso ao clipboard…"));
    if (!state.canPostKeystrokes)
        menu << item(Command::ExplainPasting,
                     QStringLiteral("Por que a colagem automática não funciona…"));
    menu << item(Command::TogglePause, state.paused ? QStringLiteral("Retomar captura")
                                                    : QStringLiteral("Pausar captura"));
    menu << login << separator;
    menu << item(Command::OpenSettings, QStringLiteral("Ajustes…"), KeyNames::primary(u","_qs));
    menu << item(Command::Export, QStringLiteral("Exportar dados…"));
    menu << item(Command::Import, QStringLiteral("Importar dados…"));
    menu << item(Command::OpenOnboarding, QStringLiteral("Boas-vindas e permissões…"));
    menu << separator;
    menu << item(Command::Quit, QStringLiteral("Sair do Varu"), KeyNames::primary(u"q"_qs));
    return menu;
}

} // namespace TrayMenu
