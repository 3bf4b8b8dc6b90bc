#pragma once
// The shell: the one long-lived object of the process. It loads the configuration, opens the
// store at launch (or fails with an alert), and owns every service for the life of the process.

#include "settings/VaruConfig.h"
#include "store/Store.h"

#include <QObject>
#include <QStringList>

#include <memory>

class AppDelegate : public QObject
{
    Q_OBJECT

public:
    // `supportDir` is the data folder; the configuration is loaded from it here.
    explicit AppDelegate(const QString &supportDir, QObject *parent = nullptr);
    ~AppDelegate() override;

    // Runs once, from the event loop: opens the store and wires everything else.
    void applicationDidFinishLaunching();

    const VaruConfig &config() const { return m_config; }
    Store *store() const { return m_store.get(); }
    QString databasePath() const;

    // A second launch, or `varu` without arguments while running.
    void reopen();
    // Files handed over by the command line or the file manager.
    void openFiles(const QStringList &paths);

Q_SIGNALS:
    // Emitted when the launch ended in failure, after the alert was dismissed.
    void launchFailed();

private:
    void fail(const QString &message);

    QString m_supportDir;
    VaruConfig m_config;
    std::unique_ptr<Store> m_store;
    bool m_askedForAccessibility = false;
    QStringList m_pendingOpenURLs;
};
