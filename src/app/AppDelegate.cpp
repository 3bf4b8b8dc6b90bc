#include "AppDelegate.h"

#include "settings/ConfigFile.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>

AppDelegate::AppDelegate(const QString &supportDir, QObject *parent)
    : QObject(parent)
    , m_supportDir(supportDir)
    , m_config(ConfigFile::load(supportDir))
{
}

AppDelegate::~AppDelegate() = default;

QString AppDelegate::databasePath() const
{
    return QDir(m_supportDir).filePath(QStringLiteral("varu.sqlite"));
}

void AppDelegate::applicationDidFinishLaunching()
{
    try {
        m_store = Store::open(databasePath());
    } catch (const StoreError &e) {
        fail(QStringLiteral("Não foi possível abrir o banco do histórico: ") + e.describe());
        return;
    }

    const QStringList pending = std::exchange(m_pendingOpenURLs, {});
    if (!pending.isEmpty())
        openFiles(pending);
}

void AppDelegate::reopen()
{
}

void AppDelegate::openFiles(const QStringList &paths)
{
    if (!m_store) {
        m_pendingOpenURLs += paths;
        return;
    }
}

void AppDelegate::fail(const QString &message)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Varu"),
                    QStringLiteral("Varu não conseguiu iniciar"), QMessageBox::Ok);
    box.setInformativeText(message);
    box.setObjectName(QStringLiteral("varuFailureAlert"));
    box.activateWindow();
    box.exec();
    Q_EMIT launchFailed();
    QCoreApplication::exit(1);
}
