#include "OnboardingModel.h"

#include "platform/Log.h"

namespace {

bool ask(const std::function<bool()> &check)
{
    return check && check();
}

} // namespace

OnboardingModel::OnboardingModel(Abilities abilities, QStringList hotKeyKeys, QObject *parent)
    : QObject(parent)
    , m_abilities(std::move(abilities))
    , m_hotKeyKeys(std::move(hotKeyKeys))
{
    m_steps << Step::Welcome;
    if (m_abilities.clipboardMayBeRefused)
        m_steps << Step::Clipboard;
    m_steps << Step::Paste << Step::Shortcut;
    connect(&m_poll, &QTimer::timeout, this, &OnboardingModel::refresh);
    refresh();
}

QString OnboardingModel::primaryTitle() const
{
    switch (m_step) {
    case Step::Welcome:
        return QStringLiteral("Começar");
    case Step::Clipboard:
        return m_clipboardOK ? QStringLiteral("Continuar") : QStringLiteral("Depois");
    case Step::Paste:
        return m_pasteOK ? QStringLiteral("Continuar") : QStringLiteral("Depois");
    case Step::Shortcut:
        break;
    }
    return QStringLiteral("Concluir");
}

void OnboardingModel::assign(bool &field, bool value, void (OnboardingModel::*changed)(),
                             bool affectsTitle)
{
    if (field == value)
        return;
    field = value;
    Q_EMIT(this->*changed)();
    if (affectsTitle)
        Q_EMIT primaryTitleChanged();
}

void OnboardingModel::refresh()
{
    // A session that cannot refuse reads the clipboard whatever the check would say.
    const bool clipboard = !m_abilities.clipboardMayBeRefused || ask(m_abilities.clipboardReadable);
    assign(m_clipboardOK, clipboard, &OnboardingModel::clipboardOKChanged,
           m_step == Step::Clipboard);
    assign(m_pasteOK, ask(m_abilities.canPostKeystrokes), &OnboardingModel::pasteOKChanged,
           m_step == Step::Paste);
    assign(m_loginOn, ask(m_abilities.loginEnabled), &OnboardingModel::loginOnChanged, false);
    assign(m_hotKeyRegistered, ask(m_abilities.hotKeyRegistered),
           &OnboardingModel::hotKeyRegisteredChanged, false);
    assign(m_trayAvailable, ask(m_abilities.trayAvailable), &OnboardingModel::trayAvailableChanged,
           false);
}

void OnboardingModel::start(int pollMs)
{
    m_poll.stop();
    m_poll.setInterval(pollMs);
    m_poll.start();
}

void OnboardingModel::stop()
{
    m_poll.stop();
}

void OnboardingModel::rewind()
{
    setStep(Step::Welcome);
}

void OnboardingModel::markShortcutTried()
{
    if (m_triedShortcut)
        return;
    m_triedShortcut = true;
    qCInfo(lcVaru, "Boas-vindas: atalho funcionando");
    Q_EMIT triedShortcutChanged();
}

void OnboardingModel::setHotKeyKeys(const QStringList &keys)
{
    if (keys == m_hotKeyKeys)
        return;
    m_hotKeyKeys = keys;
    Q_EMIT hotKeyKeysChanged();
}

void OnboardingModel::setStep(Step step)
{
    if (step == m_step)
        return;
    m_step = step;
    Q_EMIT stepChanged();
    Q_EMIT primaryTitleChanged();
}

void OnboardingModel::next()
{
    const qsizetype at = m_steps.indexOf(m_step);
    if (at + 1 < m_steps.size()) {
        setStep(m_steps.at(at + 1));
        return;
    }
    if (finish)
        finish();
}

void OnboardingModel::back()
{
    const qsizetype at = m_steps.indexOf(m_step);
    if (at > 0)
        setStep(m_steps.at(at - 1));
}

void OnboardingModel::setLogin(bool on)
{
    QString error;
    if (!m_abilities.setLoginEnabled || !m_abilities.setLoginEnabled(on, &error))
        qCCritical(lcVaru, "Início automático: %s", qUtf8Printable(error));
    // The switch shows what is true now, whether or not the change took.
    refresh();
    if (m_loginOn != on)
        Q_EMIT loginOnChanged();
}

void OnboardingModel::readClipboardNow()
{
    if (requestClipboard)
        requestClipboard();
    refresh();
}
