#include "ConfigWatcher.h"

#include "platform/Log.h"
#include "settings/ConfigFile.h"

#include <QFile>

ConfigWatcher::ConfigWatcher(const QString &folder, QObject *parent)
    : QObject(parent)
    , m_path(ConfigFile::path(folder))
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_settle, &QTimer::timeout, this, [this] {
        rewatch();
        if (const std::optional<VaruConfig> config = read())
            Q_EMIT changed(*config);
    });
    // Saving replaces the file (ours and most editors' too), which ends a watch on it: the
    // folder tells when it comes back.
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, &m_settle, qOverload<>(&QTimer::start));
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] {
        if (!m_watcher.files().contains(m_path) && QFile::exists(m_path))
            m_settle.start();
    });
    m_watcher.addPath(folder);
    rewatch();
}

void ConfigWatcher::rewatch()
{
    // A replaced file is a new file: the watch must follow it, not the old one.
    if (m_watcher.files().contains(m_path))
        m_watcher.removePath(m_path);
    if (QFile::exists(m_path))
        m_watcher.addPath(m_path);
}

std::optional<VaruConfig> ConfigWatcher::read() const
{
    const ConfigFile::FileRead file = ConfigFile::read(m_path);
    if (file.missing)
        return std::nullopt; // gone for a moment: keep what runs
    QString error = file.error;
    std::optional<VaruConfig> config;
    if (file.bytes)
        config = ConfigFile::decode(*file.bytes, &error);
    if (!config)
        qCCritical(lcVaru, "config.json inválido, mantendo os ajustes atuais: %s",
                   qUtf8Printable(error));
    return config;
}
