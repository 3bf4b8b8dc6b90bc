#include "UserDefaults.h"

#include "platform/Log.h"

#include <QDir>
#include <QSettings>

namespace {
const QString kOnboardingDone = QStringLiteral("onboardingDone");
const QString kHotKeyExplained = QStringLiteral("hotKeyExplained");
}

UserDefaults::UserDefaults(const QString &configHome)
    : m_path(QDir(configHome).filePath(QStringLiteral("Varu/Varu.conf")))
{}

bool UserDefaults::onboardingDone() const
{
    return QSettings(m_path, QSettings::IniFormat).value(kOnboardingDone, false).toBool();
}

void UserDefaults::setOnboardingDone(bool done)
{
    QSettings settings(m_path, QSettings::IniFormat);
    settings.setValue(kOnboardingDone, done);
    settings.sync();
    // Not fatal, but the window would greet the user again at the next start.
    if (settings.status() != QSettings::NoError)
        qCCritical(lcVaru, "Não foi possível gravar %s", qUtf8Printable(m_path));
}

bool UserDefaults::hotKeyExplained() const
{
    return QSettings(m_path, QSettings::IniFormat).value(kHotKeyExplained, false).toBool();
}

void UserDefaults::setHotKeyExplained()
{
    QSettings(m_path, QSettings::IniFormat).setValue(kHotKeyExplained, true);
}
