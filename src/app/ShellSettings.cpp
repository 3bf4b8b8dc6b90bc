#include "ShellSettings.h"

#include "AutostartEntry.h"
#include "BackupFlows.h"
#include "GlobalShortcut.h"

#include "platform/HotKeyGrabber.h"
#include "settings/VaruSound.h"
#include "strip/model/StripModel.h"

#include <QApplication>

ShellSettings::ShellSettings(Services services, QObject *parent)
    : SettingsActions(parent)
    , m_s(std::move(services))
{
    connect(&m_s.strip, &StripModel::tabsChanged, this, &SettingsActions::tabsChanged);
}

void ShellSettings::apply(const VaruConfig &config)
{
    m_s.apply(config);
}

void ShellSettings::registerHotKey()
{
    m_s.registerHotKey();
}

void ShellSettings::releaseHotKey()
{
    m_s.shortcut.release();
}

bool ShellSettings::hotKeysAvailable()
{
    return m_s.grabber.available();
}

void ShellSettings::clearHistory()
{
    m_s.backups.clearHistory();
}

void ShellSettings::exportEverything()
{
    m_s.backups.exportEverything();
}

void ShellSettings::exportTab(const QString &id)
{
    m_s.backups.exportTab(id);
}

void ShellSettings::importFile()
{
    m_s.backups.importFile();
}

QList<SettingsActions::TabChoice> ShellSettings::tabs()
{
    QList<TabChoice> out;
    for (const UserTab &tab : m_s.strip.tabs())
        out << TabChoice{tab.id, tab.name};
    return out;
}

bool ShellSettings::loginEnabled()
{
    return AutostartEntry(m_s.configHome, m_s.executable).isEnabled();
}

bool ShellSettings::setLoginEnabled(bool on, QString *error)
{
    return AutostartEntry(m_s.configHome, m_s.executable).setEnabled(on, error);
}

void ShellSettings::previewSound(const QString &style)
{
    m_s.sound.preview(style);
}

void ShellSettings::beep()
{
    QApplication::beep();
}
