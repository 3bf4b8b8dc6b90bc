#include "XkbLayout.h"

#include <xkbcommon/xkbcommon.h>

namespace {

// Key codes are evdev codes plus 8, as X11 and Wayland both number them.
constexpr quint16 kEvdevOffset = 8;
constexpr quint16 kEvdevV = 47;

xkb_keymap *compile(xkb_context *context, const QByteArray &layout)
{
    xkb_rule_names names{};
    if (!layout.isEmpty())
        names.layout = layout.constData();
    xkb_keymap *keymap = xkb_keymap_new_from_names(context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
    if (keymap)
        return keymap;
    const xkb_rule_names us{nullptr, nullptr, "us", nullptr, nullptr};
    return xkb_keymap_new_from_names(context, &us, XKB_KEYMAP_COMPILE_NO_FLAGS);
}

} // namespace

XkbLayout::XkbLayout(const QByteArray &layout)
    : m_context(xkb_context_new(XKB_CONTEXT_NO_FLAGS))
    , m_keymap(m_context ? compile(m_context, layout) : nullptr)
{}

XkbLayout::~XkbLayout()
{
    xkb_keymap_unref(m_keymap);
    xkb_context_unref(m_context);
}

std::optional<quint16> XkbLayout::keyCode(const QString &name)
{
    if (!m_keymap || name.size() != 1)
        return std::nullopt;
    const QString wanted = name.toLower();
    for (xkb_keycode_t code = xkb_keymap_min_keycode(m_keymap);
         code <= xkb_keymap_max_keycode(m_keymap); ++code) {
        if (character(code) == wanted)
            return quint16(code);
    }
    return std::nullopt;
}

std::optional<QString> XkbLayout::character(quint32 keyCode)
{
    if (!m_keymap)
        return std::nullopt;
    const xkb_keysym_t *syms = nullptr;
    if (xkb_keymap_key_get_syms_by_level(m_keymap, keyCode, 0, 0, &syms) < 1)
        return std::nullopt;
    const uint32_t ch = xkb_keysym_to_utf32(syms[0]);
    if (ch < 0x20 || ch == 0x7f)
        return std::nullopt;
    return QString::fromUcs4(reinterpret_cast<const char32_t *>(&ch), 1).toLower();
}

quint16 XkbLayout::fallbackPasteKeyCode()
{
    return kEvdevV + kEvdevOffset;
}

QByteArray XkbLayout::keymapText() const
{
    if (!m_keymap)
        return {};
    char *text = xkb_keymap_get_as_string(m_keymap, XKB_KEYMAP_FORMAT_TEXT_V1);
    QByteArray out(text);
    free(text);
    return out;
}

quint32 XkbLayout::modifierMask(const char *name) const
{
    if (!m_keymap)
        return 0;
    const xkb_mod_index_t index = xkb_keymap_mod_get_index(m_keymap, name);
    return index == XKB_MOD_INVALID ? 0 : 1u << index;
}
