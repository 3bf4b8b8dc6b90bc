#include "PasteTarget.h"

PasteTarget::PasteTarget(WindowFocus &focus)
    : m_focus(focus)
{}

void PasteTarget::remember()
{
    const std::optional<WindowId> active = m_focus.activeWindow();
    if (active && active == m_own)
        return;
    m_window = active;
}

bool PasteTarget::restore(std::chrono::milliseconds timeout)
{
    const std::optional<WindowId> window = std::exchange(m_window, std::nullopt);
    if (!window)
        return false;
    if (m_focus.activeWindow() == window)
        return true;
    return m_focus.activate(*window, timeout);
}
