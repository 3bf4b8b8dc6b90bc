#pragma once
// The one registered global shortcut: while it exists its combination is claimed on the
// desktop and each press schedules the action on the main thread; destroying it releases it.

#include "VaruConfig.h"
#include "platform/HotKeyGrabber.h"

#include <QObject>

#include <functional>
#include <memory>

class KeyboardLayout;

class HotKey
{
public:
    // Registers `config`, or gives nothing: the key is not on the current layout, the
    // modifiers would take a typing key away from every application, or the desktop refused
    // the combination (logged with its status).
    static std::unique_ptr<HotKey> create(const HotKeyConfig &config, KeyboardLayout &layout,
                                          HotKeyGrabber &grabber, std::function<void()> action);

    ~HotKey();
    HotKey(const HotKey &) = delete;
    HotKey &operator=(const HotKey &) = delete;

    // The desktop modifiers of the recognised names (aliases included, any letter case).
    static KeyModifiers modifiersOf(const QStringList &names);

private:
    HotKey() = default;

    // Presses are queued on this object, so none runs after the registration is gone.
    QObject m_context;
    std::unique_ptr<HotKeyGrab> m_grab;
};
