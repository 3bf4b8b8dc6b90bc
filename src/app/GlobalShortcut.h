#pragma once
// The shell's one global shortcut: registers the configured combination, reports presses as
// a signal, and when a new combination is refused puts the previous one back.

#include "settings/HotKey.h"
#include "settings/VaruConfig.h"

#include <QObject>

#include <memory>
#include <optional>

class HotKeyGrabber;
class KeyboardLayout;

class GlobalShortcut : public QObject
{
    Q_OBJECT

public:
    GlobalShortcut(KeyboardLayout &layout, HotKeyGrabber &grabber, QObject *parent = nullptr);
    ~GlobalShortcut() override;

    // Releases the current registration and registers `config`. A failure is logged as
    // "Atalho … indisponível" and leaves no shortcut; the application runs on without one.
    bool registerHotKey(const HotKeyConfig &config);
    // At start: registers `config`, unless no desktop could ever register it (a hand edit
    // of config.json), in which case `config` becomes the default and that is registered,
    // as a refused change keeps the previous shortcut. Returns the message for the user
    // when it fell back.
    std::optional<QString> registerAtStart(HotKeyConfig &config);
    // Releases the current registration without a replacement (while a new one is recorded).
    void release();
    bool isRegistered() const { return bool(m_hotKey); }

    // Moves from `previous` to `next`. When `next` cannot be registered, `previous` is
    // registered again and the message for the user is returned.
    std::optional<QString> change(const HotKeyConfig &previous, const HotKeyConfig &next);

Q_SIGNALS:
    // On the main thread, from the event loop, once per press of the combination.
    void pressed();

private:
    KeyboardLayout &m_layout;
    HotKeyGrabber &m_grabber;
    std::unique_ptr<HotKey> m_hotKey;
};
