#pragma once
// The window the user was working in when the strip opened: remembered before the strip
// takes the keyboard, and given the keyboard back once the strip has hidden, so that the
// paste keystroke reaches it. Main thread only.

#include "platform/WindowFocus.h"

#include <chrono>
#include <optional>

class PasteTarget
{
public:
    explicit PasteTarget(WindowFocus &focus);

    // Call before showing the strip. Keeps an earlier window when the strip itself is active
    // (it was shown again while still visible).
    void remember();
    // Call once the strip has hidden: true when the remembered window has the keyboard
    // again (waited for at most `timeout`). The window is forgotten either way.
    bool restore(std::chrono::milliseconds timeout = std::chrono::milliseconds(250));

    std::optional<WindowId> remembered() const { return m_window; }
    // Windows of this process that must never be remembered (the strip's own window).
    void setOwnWindow(std::optional<WindowId> window) { m_own = window; }

private:
    WindowFocus &m_focus;
    std::optional<WindowId> m_window;
    std::optional<WindowId> m_own;
};
