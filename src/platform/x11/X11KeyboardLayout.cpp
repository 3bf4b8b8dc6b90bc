#include "X11KeyboardLayout.h"

#include "X11Connection.h"

#include <QList>
#include <QString>

#include <xkbcommon/xkbcommon-keysyms.h>
#include <xkbcommon/xkbcommon-x11.h>

#include <memory>

namespace {
struct KeymapDeleter
{
    void operator()(xkb_keymap *k) const { xkb_keymap_unref(k); }
};
} // namespace

struct X11KeyboardLayout::Snapshot
{
    std::unique_ptr<xkb_keymap, KeymapDeleter> keymap;
    xkb_layout_index_t currentGroup = 0;

    // Groups in search order: the current one, then the others.
    QList<xkb_layout_index_t> groups() const
    {
        QList<xkb_layout_index_t> out{currentGroup};
        const xkb_layout_index_t count = xkb_keymap_num_layouts(keymap.get());
        for (xkb_layout_index_t g = 0; g < count; ++g) {
            if (g != currentGroup)
                out << g;
        }
        return out;
    }

    // Calls `visit(code, keysym)` for each keysym of `level` (all levels when negative) of
    // `group`, keys in ascending order, until it returns true.
    template<typename F>
    std::optional<quint16> find(xkb_layout_index_t group, int level, F visit) const
    {
        xkb_keymap *k = keymap.get();
        for (xkb_keycode_t code = xkb_keymap_min_keycode(k); code <= xkb_keymap_max_keycode(k);
             ++code) {
            if (group >= xkb_keymap_num_layouts_for_key(k, code))
                continue;
            const xkb_level_index_t levels = xkb_keymap_num_levels_for_key(k, code, group);
            for (xkb_level_index_t l = 0; l < levels; ++l) {
                if (level >= 0 && l != xkb_level_index_t(level))
                    continue;
                const xkb_keysym_t *syms = nullptr;
                const int n = xkb_keymap_key_get_syms_by_level(k, code, group, l, &syms);
                for (int i = 0; i < n; ++i) {
                    if (visit(syms[i]) && code <= 0xffff)
                        return quint16(code);
                }
            }
        }
        return std::nullopt;
    }
};

X11KeyboardLayout::X11KeyboardLayout()
    : m_context(xkb_context_new(
          xkb_context_flags(XKB_CONTEXT_NO_DEFAULT_INCLUDES | XKB_CONTEXT_NO_ENVIRONMENT_NAMES)))
{}

X11KeyboardLayout::~X11KeyboardLayout()
{
    if (m_context)
        xkb_context_unref(m_context);
}

std::optional<X11KeyboardLayout::Snapshot> X11KeyboardLayout::snapshot()
{
    xcb_connection_t *c = X11Connection::connection();
    if (!c || !m_context)
        return std::nullopt;
    if (!m_extensionReady) {
        m_extensionReady = xkb_x11_setup_xkb_extension(c, XKB_X11_MIN_MAJOR_XKB_VERSION,
                                                       XKB_X11_MIN_MINOR_XKB_VERSION,
                                                       XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS,
                                                       nullptr, nullptr, nullptr, nullptr) == 1;
        if (!m_extensionReady)
            return std::nullopt;
    }
    const int32_t device = xkb_x11_get_core_keyboard_device_id(c);
    if (device < 0)
        return std::nullopt;
    Snapshot s;
    s.keymap.reset(
        xkb_x11_keymap_new_from_device(m_context, c, device, XKB_KEYMAP_COMPILE_NO_FLAGS));
    if (!s.keymap)
        return std::nullopt;
    if (xkb_state *state = xkb_x11_state_new_from_device(s.keymap.get(), c, device)) {
        s.currentGroup = xkb_state_serialize_layout(state, XKB_STATE_LAYOUT_EFFECTIVE);
        xkb_state_unref(state);
    }
    return s;
}

std::optional<quint16> X11KeyboardLayout::keyCode(const QString &name)
{
    const QString wanted = name.toLower();
    if (wanted.isEmpty())
        return std::nullopt;
    const std::optional<Snapshot> s = snapshot();
    if (!s)
        return std::nullopt;
    for (const xkb_layout_index_t group : s->groups()) {
        const auto code = s->find(group, 0, [&](xkb_keysym_t sym) {
            const char32_t ch = xkb_keysym_to_utf32(sym);
            return ch != 0 && QString::fromUcs4(&ch, 1).toLower() == wanted;
        });
        if (code)
            return code;
    }
    return std::nullopt;
}

std::optional<quint16> X11KeyboardLayout::keyCodeOfKeysym(quint32 keysym)
{
    const std::optional<Snapshot> s = snapshot();
    if (!s)
        return std::nullopt;
    for (const xkb_layout_index_t group : s->groups()) {
        if (const auto code = s->find(group, -1, [&](xkb_keysym_t sym) { return sym == keysym; }))
            return code;
    }
    return std::nullopt;
}

std::optional<QString> X11KeyboardLayout::character(quint32 keyCode)
{
    const std::optional<Snapshot> s = snapshot();
    if (!s)
        return std::nullopt;
    const xkb_keysym_t *syms = nullptr;
    const int n =
        xkb_keymap_key_get_syms_by_level(s->keymap.get(), keyCode, s->currentGroup, 0, &syms);
    if (n < 1)
        return std::nullopt;
    const char32_t ch = xkb_keysym_to_utf32(syms[0]);
    // Control characters (Tab, Return, Escape) type nothing one could show.
    if (ch < 0x20 || ch == 0x7f)
        return std::nullopt;
    return QString::fromUcs4(&ch, 1);
}

quint16 X11KeyboardLayout::fallbackPasteKeyCode()
{
    return keyCodeOfKeysym(XKB_KEY_v).value_or(55);
}
