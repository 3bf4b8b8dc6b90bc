#pragma once
// Global shortcuts on X11: passive key grabs on the root window, one per combination of the
// lock keys (Caps Lock, Num Lock) so that they never get in the way, and the presses read
// from Qt's event stream.

#include "platform/HotKeyGrabber.h"

#include <QAbstractNativeEventFilter>
#include <QList>

#include <memory>

class X11KeyboardLayout;

class X11HotKeyGrabber : public HotKeyGrabber, private QAbstractNativeEventFilter
{
public:
    explicit X11HotKeyGrabber(X11KeyboardLayout &layout);
    ~X11HotKeyGrabber() override;
    X11HotKeyGrabber(const X11HotKeyGrabber &) = delete;
    X11HotKeyGrabber &operator=(const X11HotKeyGrabber &) = delete;

    Result grab(quint16 keyCode, KeyModifiers modifiers, std::function<void()> pressed) override;
    bool available() const override;

private:
    struct Entry;
    class Grab;
    using Entries = QList<std::shared_ptr<Entry>>;

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;
    // The modifier bit (Mod1…Mod5) that carries `keysym`, or `fallback`.
    quint16 modifierBitOf(quint32 keysym, quint16 fallback);

    X11KeyboardLayout &m_layout;
    std::shared_ptr<Entries> m_entries;
};
