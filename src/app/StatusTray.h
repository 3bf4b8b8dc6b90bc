#pragma once
// Varu's icon in the tray and its menu, rebuilt from the current state each time it opens.
// Without a tray host it waits, checking now and then, and appears once one runs.

#include "StatusIcon.h"
#include "TrayMenu.h"

#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>
#include <QTimer>

#include <functional>

class StatusTray : public QObject
{
    Q_OBJECT

public:
    static constexpr int kTrayRetryMs = 3000;

    // `state` is asked for every time the menu is about to open.
    explicit StatusTray(std::function<TrayMenu::State()> state, QObject *parent = nullptr);

    // Shows the icon now, or as soon as a tray host appears.
    void show();
    void setIconState(StatusIcon::State state);
    // A passing message from the icon; false (nothing shown) while there is no tray host.
    bool notify(const QString &title, const QString &text);
    // Fills the menu afresh (also done before it opens).
    void rebuild();

Q_SIGNALS:
    void chosen(TrayMenu::Command command);

private:
    void showWhenAvailable();

    std::function<TrayMenu::State()> m_stateOf;
    QMenu m_menu;
    QSystemTrayIcon m_icon;
    QTimer m_retry;
    StatusIcon::State m_state = StatusIcon::State::Normal;
};
