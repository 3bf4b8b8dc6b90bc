#include "HotKey.h"

#include "HotKeyRules.h"
#include "platform/KeyboardLayout.h"
#include "platform/Log.h"

KeyModifiers HotKey::modifiersOf(const QStringList &names)
{
    KeyModifiers out;
    for (const QString &name : HotKeyRules::normalized(names)) {
        if (name == u"ctrl")
            out |= KeyModifier::Control;
        else if (name == u"opt")
            out |= KeyModifier::Alt;
        else if (name == u"shift")
            out |= KeyModifier::Shift;
        else if (name == u"cmd")
            out |= KeyModifier::Super;
    }
    return out;
}

std::unique_ptr<HotKey> HotKey::create(const HotKeyConfig &config, KeyboardLayout &layout,
                                       HotKeyGrabber &grabber, std::function<void()> action)
{
    // A hand-edited configuration may name no modifier, or only Shift: grabbing that would
    // swallow a letter (or the paste keystroke's key) in every application. Ctrl+V is the
    // keystroke Varu types to paste: grabbed, it would reopen the strip instead.
    if (!HotKeyRules::registrable(config))
        return nullptr;
    const std::optional<quint16> code = layout.keyCode(config.key);
    if (!code)
        return nullptr;
    const KeyModifiers modifiers = modifiersOf(config.modifiers);

    std::unique_ptr<HotKey> hotKey(new HotKey);
    QObject *context = &hotKey->m_context;
    HotKeyGrabber::Result result =
        grabber.grab(*code, modifiers, [context, action = std::move(action)] {
            QMetaObject::invokeMethod(context, action, Qt::QueuedConnection);
        });
    if (!result.grab) {
        qCCritical(lcVaru, "Não foi possível registrar o atalho global (%d)", result.status);
        return nullptr;
    }
    hotKey->m_grab = std::move(result.grab);
    return hotKey;
}

HotKey::~HotKey() = default;
