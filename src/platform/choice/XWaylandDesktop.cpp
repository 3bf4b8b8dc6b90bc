#include "XWaylandDesktop.h"

#include "platform/KeyInjector.h"
#include "platform/WindowFocus.h"

class XWaylandDesktop::Keys : public KeyInjector
{
public:
    Keys(KeyInjector &keys, WindowFocus &focus)
        : m_keys(keys)
        , m_focus(focus)
    {}

    // A native Wayland window in front shows no X11 window as active.
    bool trusted() override { return m_keys.trusted() && m_focus.activeWindow().has_value(); }
    void sendControlKey(quint16 keyCode) override { m_keys.sendControlKey(keyCode); }
    void sendShiftInsert() override { m_keys.sendShiftInsert(); }

private:
    KeyInjector &m_keys;
    WindowFocus &m_focus;
};

XWaylandDesktop::XWaylandDesktop()
    : m_keys(std::make_unique<Keys>(X11Desktop::keyInjector(), windowFocus()))
{}

XWaylandDesktop::~XWaylandDesktop() = default;

KeyInjector &XWaylandDesktop::keyInjector()
{
    return *m_keys;
}
