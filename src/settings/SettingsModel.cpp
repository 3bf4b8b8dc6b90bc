#include "SettingsModel.h"

#include "HotKeyRules.h"
#include "VaruSound.h"
#include "platform/Log.h"

#include <QLocale>

namespace {

template<typename T> int indexOf(const QList<SettingsModel::Choice> &choices, T value)
{
    for (int i = 0; i < choices.size(); ++i) {
        if (choices[i].value == value)
            return i;
    }
    return -1;
}

QStringList namesOf(const QList<SettingsModel::Choice> &choices)
{
    QStringList names;
    for (const auto &c : choices)
        names << c.name;
    return names;
}

// Keys that only change others: pressing one alone never ends a recording.
bool isModifierKey(int key)
{
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_ScrollLock:
        return true;
    default:
        return false;
    }
}

} // namespace

const QList<SettingsModel::Choice> &SettingsModel::retentionChoices()
{
    static const QList<Choice> choices{
        {1, QStringLiteral("24 horas")},  {3, QStringLiteral("3 dias")},
        {7, QStringLiteral("1 semana")},  {14, QStringLiteral("2 semanas")},
        {30, QStringLiteral("1 mês")},    {90, QStringLiteral("3 meses")},
        {180, QStringLiteral("6 meses")}, {365, QStringLiteral("1 ano")},
        {0, QStringLiteral("Eterno")},
    };
    return choices;
}

const QList<SettingsModel::Choice> &SettingsModel::limitChoices()
{
    static const QList<Choice> choices = [] {
        QList<Choice> out;
        for (const qint64 n : {200, 500, 1000, 2000, 5000, 10000})
            // The window speaks Brazilian Portuguese whatever the session's locale: "1.000 itens".
            out << Choice{n, QLocale(QLocale::Portuguese, QLocale::Brazil).toString(n) +
                                 QStringLiteral(" itens")};
        return out;
    }();
    return choices;
}

SettingsModel::SettingsModel(const VaruConfig &config, const QString &version,
                             const QString &dataFolder, QObject *parent)
    : QObject(parent)
    , m_config(config)
    , m_version(version)
    , m_dataFolder(dataFolder)
{}

void SettingsModel::setActions(SettingsActions *actions)
{
    if (m_actions)
        disconnect(m_actions, nullptr, this, nullptr);
    m_actions = actions;
    if (actions)
        connect(actions, &SettingsActions::tabsChanged, this, &SettingsModel::refreshTabs);
    refreshLogin();
    refreshTabs();
    Q_EMIT actionsChanged();
}

void SettingsModel::setPane(SettingsPane pane)
{
    if (pane == m_pane)
        return;
    m_pane = pane;
    Q_EMIT paneChanged();
}

bool SettingsModel::selectPane(const QString &id)
{
    const std::optional<SettingsPane> pane = SettingsPanes::fromId(id);
    if (pane)
        setPane(*pane);
    return pane.has_value();
}

void SettingsModel::setConfig(const VaruConfig &config)
{
    if (config == m_config)
        return;
    m_config = config;
    Q_EMIT configChanged();
    if (m_actions)
        m_actions->apply(m_config);
}

void SettingsModel::setPlaySounds(bool on)
{
    VaruConfig c = m_config;
    c.playSounds = on;
    setConfig(c);
}

void SettingsModel::setSkipSecrets(bool on)
{
    VaruConfig c = m_config;
    c.skipSecrets = on;
    setConfig(c);
}

QString SettingsModel::hotKeyLabel() const
{
    return HotKeyRules::label(m_config.hotKey);
}

int SettingsModel::soundIndex() const
{
    const auto &styles = VaruSound::styles();
    for (int i = 0; i < styles.size(); ++i) {
        if (styles[i].id == m_config.copySound)
            return i;
    }
    return -1;
}

int SettingsModel::retentionIndex() const
{
    return indexOf(retentionChoices(), m_config.historyRetentionDays);
}

int SettingsModel::limitIndex() const
{
    return indexOf(limitChoices(), m_config.historyLimit);
}

QStringList SettingsModel::soundNames() const
{
    QStringList names;
    for (const auto &style : VaruSound::styles())
        names << style.name;
    return names;
}

QStringList SettingsModel::retentionNames() const
{
    return namesOf(retentionChoices());
}

QStringList SettingsModel::limitNames() const
{
    return namesOf(limitChoices());
}

void SettingsModel::chooseSound(int index)
{
    if (index < 0 || index >= VaruSound::styles().size() || index == soundIndex())
        return;
    VaruConfig c = m_config;
    c.copySound = VaruSound::styles().at(index).id;
    setConfig(c);
    previewSound();
}

void SettingsModel::previewSound()
{
    if (m_actions)
        m_actions->previewSound(m_config.copySound);
}

void SettingsModel::chooseRetention(int index)
{
    if (index < 0 || index >= retentionChoices().size())
        return;
    VaruConfig c = m_config;
    c.historyRetentionDays = retentionChoices().at(index).value;
    setConfig(c);
}

void SettingsModel::chooseLimit(int index)
{
    if (index < 0 || index >= limitChoices().size())
        return;
    VaruConfig c = m_config;
    c.historyLimit = limitChoices().at(index).value;
    setConfig(c);
}

void SettingsModel::addIgnoredApps(const QStringList &ids)
{
    for (const QString &id : ids) {
        if (id.isEmpty() || m_config.ignoredApps.contains(id))
            continue;
        VaruConfig c = m_config;
        c.ignoredApps << id;
        setConfig(c);
    }
}

void SettingsModel::removeIgnoredApp(const QString &id)
{
    VaruConfig c = m_config;
    c.ignoredApps.removeAll(id);
    setConfig(c);
}

void SettingsModel::refreshLogin()
{
    const bool on = m_actions && m_actions->loginEnabled();
    if (on == m_loginOn)
        return;
    m_loginOn = on;
    Q_EMIT loginOnChanged();
}

void SettingsModel::setLogin(bool on)
{
    if (!m_actions)
        return;
    QString error;
    if (!m_actions->setLoginEnabled(on, &error))
        qCCritical(lcVaru, "Início automático: %s", qUtf8Printable(error));
    // The switch shows what is, not what was asked for.
    refreshLogin();
    Q_EMIT loginOnChanged();
}

void SettingsModel::setHotKeyError(const QString &message)
{
    if (message == m_hotKeyError)
        return;
    m_hotKeyError = message;
    Q_EMIT hotKeyErrorChanged();
}

bool SettingsModel::hotKeysAvailable() const
{
    return !m_actions || m_actions->hotKeysAvailable();
}

void SettingsModel::startRecording()
{
    stopRecording();
    setHotKeyError({});
    m_recording = true;
    Q_EMIT recordingChanged();
    // The current combination must reach the recorder instead of toggling the strip.
    if (m_actions)
        m_actions->releaseHotKey();
}

void SettingsModel::stopRecording()
{
    if (!m_recording)
        return;
    m_recording = false;
    Q_EMIT recordingChanged();
    if (m_actions)
        m_actions->registerHotKey();
}

void SettingsModel::toggleRecording()
{
    if (m_recording)
        stopRecording();
    else
        startRecording();
}

bool SettingsModel::recordKey(int qtKey, Qt::KeyboardModifiers modifiers,
                              const std::optional<QString> &characters)
{
    if (!m_recording)
        return false;
    if (qtKey == Qt::Key_Escape) {
        stopRecording();
        return true;
    }
    if (isModifierKey(qtKey))
        return true;
    QStringList names;
    if (modifiers & Qt::ControlModifier)
        names << QStringLiteral("ctrl");
    if (modifiers & Qt::AltModifier)
        names << QStringLiteral("opt");
    if (modifiers & Qt::ShiftModifier)
        names << QStringLiteral("shift");
    if (modifiers & Qt::MetaModifier)
        names << QStringLiteral("cmd");
    const std::optional<QString> key =
        characters ? HotKeyRules::recordableKey(*characters) : std::nullopt;
    if (!key) {
        if (m_actions)
            m_actions->beep();
        return true;
    }
    if (const std::optional<QString> problem = HotKeyRules::problem(*key, names)) {
        setHotKeyError(*problem);
        if (m_actions)
            m_actions->beep();
        return true;
    }
    setHotKeyError({});
    VaruConfig c = m_config;
    c.hotKey = HotKeyConfig{*key, names};
    setConfig(c);
    stopRecording();
    return true;
}

void SettingsModel::refreshTabs()
{
    m_tabs = m_actions ? m_actions->tabs() : QList<SettingsActions::TabChoice>{};
    Q_EMIT tabsChanged();
}

QStringList SettingsModel::exportTabNames() const
{
    if (m_tabs.isEmpty())
        return {QStringLiteral("Nenhuma tab")};
    QStringList names;
    for (const auto &tab : m_tabs)
        names << tab.name;
    return names;
}

int SettingsModel::exportTabIndex() const
{
    for (int i = 0; m_exportTabID && i < m_tabs.size(); ++i) {
        if (m_tabs[i].id == *m_exportTabID)
            return i;
    }
    return 0;
}

void SettingsModel::chooseExportTab(int index)
{
    if (index < 0 || index >= m_tabs.size())
        return;
    m_exportTabID = m_tabs[index].id;
    Q_EMIT tabsChanged();
}

void SettingsModel::exportTab()
{
    if (m_actions && !m_tabs.isEmpty())
        m_actions->exportTab(m_tabs.at(exportTabIndex()).id);
}

void SettingsModel::exportEverything()
{
    if (m_actions)
        m_actions->exportEverything();
}

void SettingsModel::importFile()
{
    if (m_actions)
        m_actions->importFile();
}

void SettingsModel::clearHistory()
{
    if (m_actions)
        m_actions->clearHistory();
}
