#pragma once
// The desktop's keyboard focus: which window has it, giving it back to a window, and what a
// window is (its class names). Main thread only.

#include <QStringList>
#include <QtGlobal>

#include <chrono>
#include <optional>

using WindowId = quint32;

class WindowFocus
{
public:
    virtual ~WindowFocus() = default;

    // The application window that has the keyboard now; none when no window has it.
    virtual std::optional<WindowId> activeWindow() = 0;

    // Gives `window` the keyboard and waits, at most `timeout`, until it has it. False when
    // the window is gone or did not become active in time.
    virtual bool activate(WindowId window, std::chrono::milliseconds timeout) = 0;

    // The window's class names, instance first ("xterm", "XTerm"); empty when unknown.
    virtual QStringList windowClass(WindowId window) = 0;
};
