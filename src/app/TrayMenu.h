#pragma once
// The tray menu's entries, worked out from a small picture of the application's state: what
// the status line says and which entries appear. A pure function, so each state is testable.

#include "StatusIcon.h"

#include "capture/ClipboardMonitor.h"

#include <QList>
#include <QString>

#include <optional>

namespace TrayMenu {

enum class Command {
    None, // the status line and separators
    OpenStrip,
    RequestClipboardAccess,
    ExplainPasting,
    TogglePause,
    ToggleLogin,
    OpenSettings,
    Export,
    Import,
    OpenOnboarding,
    Quit,
};

struct State
{
    QString hotKeyLabel;
    bool paused = false;
    ClipboardMonitor::Access access = ClipboardMonitor::Access::Allowed;
    qsizetype historyCount = 0;
    qsizetype tabCount = 0;
    bool canPostKeystrokes = true;
    bool launchAtLogin = false;
    std::optional<QString> notSaving; // why copies are not being saved
};

struct Entry
{
    Command command = Command::None;
    QString text; // empty for a separator
    bool enabled = true;
    bool checkable = false;
    bool checked = false;
    QString shortcut; // shown beside the entry, in QKeySequence's portable form

    bool isSeparator() const { return command == Command::None && text.isEmpty(); }
};

QList<Entry> entries(const State &state);

// "Capturando · 12 itens · 3 tabs", or why nothing is being captured or saved.
QString statusLine(const State &state);
// With a dot while copies are not being saved; faded while paused; with a dot while the
// clipboard cannot be read.
StatusIcon::State iconState(const State &state);

} // namespace TrayMenu
