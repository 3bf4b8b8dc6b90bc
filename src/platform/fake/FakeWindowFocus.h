#pragma once
// A desktop of numbered windows for unit tests: one is active; tests decide which windows
// exist, their classes, and whether activating one works.

#include "platform/WindowFocus.h"

#include <QHash>
#include <QList>

class FakeWindowFocus : public WindowFocus
{
public:
    void addWindow(WindowId id, const QStringList &classes) { m_windows.insert(id, classes); }
    void closeWindow(WindowId id)
    {
        m_windows.remove(id);
        if (m_active == id)
            m_active.reset();
    }
    void setActive(std::optional<WindowId> id) { m_active = id; }
    // A window the desktop refuses to activate (it stays inactive).
    void refuseActivation(bool refuse) { m_refuse = refuse; }
    const QList<WindowId> &activations() const { return m_activations; }

    std::optional<WindowId> activeWindow() override { return m_active; }
    bool activate(WindowId window, std::chrono::milliseconds) override
    {
        m_activations << window;
        if (m_refuse || !m_windows.contains(window))
            return false;
        m_active = window;
        return true;
    }
    QStringList windowClass(WindowId window) override { return m_windows.value(window); }

private:
    QHash<WindowId, QStringList> m_windows;
    std::optional<WindowId> m_active;
    bool m_refuse = false;
    QList<WindowId> m_activations;
};
