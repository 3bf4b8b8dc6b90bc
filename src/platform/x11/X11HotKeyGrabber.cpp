#include "X11HotKeyGrabber.h"

#include "X11Connection.h"
#include "X11KeyboardLayout.h"

#include <QCoreApplication>

#include <xkbcommon/xkbcommon-keysyms.h>

namespace {

using X11Connection::Reply;

// Variants of one combination: every state of the lock keys.
QList<quint16> lockVariants(quint16 numLock)
{
    QList<quint16> out{0, XCB_MOD_MASK_LOCK};
    if (numLock)
        out << numLock << quint16(numLock | XCB_MOD_MASK_LOCK);
    return out;
}

} // namespace

struct X11HotKeyGrabber::Entry
{
    quint8 keyCode = 0;
    quint16 modifiers = 0; // X modifier mask, lock keys excluded
    quint16 numLock = 0;
    std::function<void()> pressed;
    // Auto-repeat: with detection on, a held key repeats presses only; without it, a
    // release and a press with the same time stamp.
    bool down = false;
    xcb_timestamp_t lastPress = 0;
    xcb_timestamp_t release = 0;
};

class X11HotKeyGrabber::Grab : public HotKeyGrab
{
public:
    Grab(std::weak_ptr<Entries> entries, std::shared_ptr<Entry> entry)
        : m_entries(std::move(entries))
        , m_entry(std::move(entry))
    {}
    ~Grab() override
    {
        if (auto entries = m_entries.lock())
            entries->removeAll(m_entry);
        xcb_connection_t *c = X11Connection::connection();
        if (!c)
            return;
        for (const quint16 lock : lockVariants(m_entry->numLock))
            xcb_ungrab_key(c, m_entry->keyCode, X11Connection::root(), m_entry->modifiers | lock);
        xcb_flush(c);
    }

private:
    std::weak_ptr<Entries> m_entries;
    std::shared_ptr<Entry> m_entry;
};

X11HotKeyGrabber::X11HotKeyGrabber(X11KeyboardLayout &layout)
    : m_layout(layout)
    , m_entries(std::make_shared<Entries>())
{
    if (QCoreApplication *app = QCoreApplication::instance())
        app->installNativeEventFilter(this);
}

X11HotKeyGrabber::~X11HotKeyGrabber()
{
    if (QCoreApplication *app = QCoreApplication::instance())
        app->removeNativeEventFilter(this);
}

quint16 X11HotKeyGrabber::modifierBitOf(quint32 keysym, quint16 fallback)
{
    xcb_connection_t *c = X11Connection::connection();
    const std::optional<quint16> code = m_layout.keyCodeOfKeysym(keysym);
    if (!code)
        return fallback;
    Reply<xcb_get_modifier_mapping_reply_t> map(
        xcb_get_modifier_mapping_reply(c, xcb_get_modifier_mapping(c), nullptr));
    if (!map)
        return fallback;
    const xcb_keycode_t *codes = xcb_get_modifier_mapping_keycodes(map.get());
    const int perModifier = map->keycodes_per_modifier;
    for (int mod = 0; mod < 8; ++mod) {
        for (int i = 0; i < perModifier; ++i) {
            if (codes[mod * perModifier + i] == *code)
                return quint16(1u << mod);
        }
    }
    return fallback;
}

HotKeyGrabber::Result X11HotKeyGrabber::grab(quint16 keyCode, KeyModifiers modifiers,
                                             std::function<void()> pressed)
{
    xcb_connection_t *c = X11Connection::connection();
    if (!c || keyCode < 8 || keyCode > 255)
        return {nullptr, XCB_VALUE};

    auto entry = std::make_shared<Entry>();
    entry->keyCode = quint8(keyCode);
    entry->pressed = std::move(pressed);
    entry->numLock = modifierBitOf(XKB_KEY_Num_Lock, 0);
    if (modifiers & KeyModifier::Shift)
        entry->modifiers |= XCB_MOD_MASK_SHIFT;
    if (modifiers & KeyModifier::Control)
        entry->modifiers |= XCB_MOD_MASK_CONTROL;
    if (modifiers & KeyModifier::Alt)
        entry->modifiers |= modifierBitOf(XKB_KEY_Alt_L, XCB_MOD_MASK_1);
    if (modifiers & KeyModifier::Super)
        entry->modifiers |= modifierBitOf(XKB_KEY_Super_L, XCB_MOD_MASK_4);

    // All variants are sent, then checked: another client's grab answers BadAccess at once.
    // Not owner_events: the key's release must come to the root window like its press, even
    // when one of our windows has the focus.
    const xcb_window_t root = X11Connection::root();
    const QList<quint16> variants = lockVariants(entry->numLock);
    QList<xcb_void_cookie_t> cookies;
    for (const quint16 lock : variants)
        cookies << xcb_grab_key_checked(c, 0, root, entry->modifiers | lock, entry->keyCode,
                                        XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
    int status = 0;
    QList<quint16> granted;
    for (qsizetype i = 0; i < cookies.size(); ++i) {
        Reply<xcb_generic_error_t> error(xcb_request_check(c, cookies.at(i)));
        if (error)
            status = status ? status : error->error_code;
        else
            granted << variants.at(i);
    }
    if (status) {
        for (const quint16 lock : std::as_const(granted))
            xcb_ungrab_key(c, entry->keyCode, root, entry->modifiers | lock);
        xcb_flush(c);
        return {nullptr, status};
    }
    m_entries->append(entry);
    return {std::make_unique<Grab>(m_entries, entry), 0};
}

bool X11HotKeyGrabber::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t" || m_entries->isEmpty())
        return false;
    auto *event = static_cast<xcb_generic_event_t *>(message);
    const uint8_t type = event->response_type & 0x7f;
    if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE)
        return false;
    auto *key = reinterpret_cast<xcb_key_press_event_t *>(event);
    const bool atRoot = key->event == X11Connection::root();

    // Copy: the action may release this very grab.
    const Entries entries = *m_entries;
    for (const std::shared_ptr<Entry> &entry : entries) {
        if (entry->keyCode != key->detail)
            continue;
        if (type == XCB_KEY_RELEASE) {
            // Wherever it is reported, the key is up again.
            entry->down = false;
            entry->release = key->time;
            return atRoot;
        }
        const quint16 state = key->state & 0xff & ~(XCB_MOD_MASK_LOCK | entry->numLock);
        if (!atRoot || state != entry->modifiers)
            continue;
        // A release that never reached us cannot silence the shortcut for long: repeats
        // follow each other within the keyboard's repeat delay.
        const bool repeat = (entry->down && key->time - entry->lastPress < 1000) ||
                            (entry->release && entry->release == key->time);
        entry->down = true;
        entry->lastPress = key->time;
        if (!repeat)
            entry->pressed();
        return true;
    }
    return false;
}

bool X11HotKeyGrabber::available() const
{
    return X11Connection::connection() != nullptr;
}
