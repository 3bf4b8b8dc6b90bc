#include "StatusTray.h"

#include "platform/Log.h"

#include <QCursor>

StatusTray::StatusTray(std::function<TrayMenu::State()> state, QObject *parent)
    : QObject(parent)
    , m_stateOf(std::move(state))
{
    m_icon.setIcon(StatusIcon::icon(m_state));
    m_icon.setToolTip(QStringLiteral("Varu"));
    m_icon.setContextMenu(&m_menu);
    connect(&m_menu, &QMenu::aboutToShow, this, &StatusTray::rebuild);
    // A plain click opens the menu too, as right-clicking does.
    connect(&m_icon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason r) {
                if (r != QSystemTrayIcon::Trigger || m_menu.isVisible())
                    return;
                // Under the icon, not over it, where the tray says where the icon is.
                const QRect icon = m_icon.geometry();
                m_menu.popup(icon.isValid() ? icon.bottomLeft() + QPoint(0, 1) : QCursor::pos());
            });
    m_retry.setInterval(kTrayRetryMs);
    connect(&m_retry, &QTimer::timeout, this, &StatusTray::showWhenAvailable);
}

void StatusTray::show()
{
    showWhenAvailable();
}

bool StatusTray::notify(const QString &title, const QString &text)
{
    if (!m_icon.isVisible())
        return false;
    m_icon.showMessage(title, text, QSystemTrayIcon::Information, 15000);
    return true;
}

void StatusTray::showWhenAvailable()
{
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        if (!m_retry.isActive()) {
            qCInfo(lcVaru, "Nenhuma bandeja do sistema; o ícone aparece quando houver uma");
            m_retry.start();
        }
        return;
    }
    m_retry.stop();
    m_icon.show();
}

void StatusTray::setIconState(StatusIcon::State state)
{
    if (state == m_state)
        return;
    m_state = state;
    m_icon.setIcon(StatusIcon::icon(state));
}

void StatusTray::rebuild()
{
    m_menu.clear();
    for (const TrayMenu::Entry &entry : TrayMenu::entries(m_stateOf())) {
        if (entry.isSeparator()) {
            m_menu.addSeparator();
            continue;
        }
        QAction *action = m_menu.addAction(entry.text);
        action->setEnabled(entry.enabled);
        action->setCheckable(entry.checkable);
        action->setChecked(entry.checked);
        if (!entry.shortcut.isEmpty())
            action->setShortcut(QKeySequence(entry.shortcut));
        if (entry.command != TrayMenu::Command::None) {
            const TrayMenu::Command command = entry.command;
            // Queued: a command may open a modal dialog, which must not run inside the
            // menu's own event handling.
            connect(
                action, &QAction::triggered, this, [this, command] { Q_EMIT chosen(command); },
                Qt::QueuedConnection);
        }
    }
}
