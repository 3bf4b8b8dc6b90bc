#pragma once
// Notices when config.json is changed by hand and hands on its new content when it is a valid
// configuration; an invalid file is logged and ignored, and the running settings stay.

#include "settings/VaruConfig.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

class ConfigWatcher : public QObject
{
    Q_OBJECT

public:
    // Editors write in several steps: the file is read once it has been quiet this long.
    static constexpr int kSettleMs = 200;

    explicit ConfigWatcher(const QString &folder, QObject *parent = nullptr);

    // Reads the file now: its configuration, or none (logged) when it is missing or invalid.
    std::optional<VaruConfig> read() const;

Q_SIGNALS:
    void changed(const VaruConfig &config);

private:
    void rewatch();

    QString m_path;
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
};
