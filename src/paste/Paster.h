#pragma once
// Puts stored cards back on the clipboard, exactly as captured or as plain text only, and
// sends the paste keystroke to the window that has the keyboard. Main thread only.

#include "core/Representation.h"
#include "platform/Clipboard.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class KeyboardLayout;
class KeyInjector;
class WindowFocus;

class Paster
{
public:
    Paster(Clipboard &clipboard, KeyboardLayout &layout, KeyInjector &keys, WindowFocus &focus);

    // `lists` holds one list of representations per card, in the order the cards were
    // chosen. Replaces the whole clipboard content.
    void write(const QList<QList<Representation>> &lists, bool plainTextOnly);

    // One paste keystroke to the focused window: Ctrl+V, or Shift+Insert for a terminal,
    // whose paste reads the primary selection, so what was written is put there too.
    void sendPasteKeystroke();

    // The key code that types `name` on the current layout, or none.
    std::optional<quint16> keyCode(const QString &name);

    // The single text that several cards paste as: their plain texts joined by line feeds.
    // None for one card, or when any card lacks text or carries files, images or PDF.
    static std::optional<QString> mergedText(const QList<QList<Representation>> &lists);
    // The clipboard items of the cards, each card's representations grouped by item index.
    static QList<ClipboardItem> items(const QList<QList<Representation>> &lists,
                                       bool plainTextOnly);
    // Whether a window of these class names is a terminal emulator.
    static bool isTerminal(const QStringList &windowClass);

private:
    Clipboard &m_clipboard;
    KeyboardLayout &m_layout;
    KeyInjector &m_keys;
    WindowFocus &m_focus;
};
