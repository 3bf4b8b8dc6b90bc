#include "GlobalShortcut.h"

#include "platform/Log.h"
#include "settings/HotKeyRules.h"

#include <QPointer>

GlobalShortcut::GlobalShortcut(KeyboardLayout &layout, HotKeyGrabber &grabber, QObject *parent)
    : QObject(parent)
    , m_layout(layout)
    , m_grabber(grabber)
{}

GlobalShortcut::~GlobalShortcut() = default;

bool GlobalShortcut::registerHotKey(const HotKeyConfig &config)
{
    // The old grab goes first: the same combination may be registered again.
    m_hotKey.reset();
    QPointer<GlobalShortcut> self(this);
    const QString label = HotKeyRules::label(config);
    m_hotKey = HotKey::create(config, m_layout, m_grabber, [self, label] {
        if (!self)
            return;
        qCDebug(lcVaru, "Atalho %s acionado", qUtf8Printable(label));
        Q_EMIT self->pressed();
    });
    if (!m_hotKey)
        qCCritical(lcVaru, "Atalho %s indisponível", qUtf8Printable(label));
    return isRegistered();
}

void GlobalShortcut::release()
{
    m_hotKey.reset();
}

std::optional<QString> GlobalShortcut::change(const HotKeyConfig &previous,
                                              const HotKeyConfig &next)
{
    if (registerHotKey(next))
        return std::nullopt;
    registerHotKey(previous);
    return HotKeyRules::inUseMessage(previous);
}

std::optional<QString> GlobalShortcut::registerAtStart(HotKeyConfig &config)
{
    if (HotKeyRules::registrable(config)) {
        // A valid combination that fails now (taken, key not on this layout) stays the
        // user's choice: the application runs without a shortcut, as logged.
        registerHotKey(config);
        return std::nullopt;
    }
    config = VaruConfig::defaultHotKey();
    const QString message = QStringLiteral("O atalho gravado em config.json não é válido. "
                                           "Usando o padrão, ") +
                            HotKeyRules::label(config) + QLatin1Char('.');
    qCWarning(lcVaru, "%s", qUtf8Printable(message));
    registerHotKey(config);
    return message;
}
