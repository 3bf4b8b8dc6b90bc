#include "DesktopWorkspace.h"

#include "platform/Log.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>
#include <QFileInfo>

void DesktopWorkspace::reveal(const QStringList &paths)
{
    if (paths.isEmpty())
        return;
    QStringList uris;
    for (const QString &path : paths)
        uris.append(QUrl::fromLocalFile(path).toString());
    // Without a file manager that selects files, the first file's folder is the next best
    // thing.
    const QUrl folder = QUrl::fromLocalFile(QFileInfo(paths.first()).absolutePath());
    const auto openFolder = [folder] {
        if (!QDesktopServices::openUrl(folder))
            qCWarning(lcVaru, "Não deu para abrir %s", qUtf8Printable(folder.toLocalFile()));
    };

    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        openFolder();
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"),
        QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    call.setArguments({uris, QString()});
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, 5000));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [openFolder](QDBusPendingCallWatcher *w) {
                         if (w->isError())
                             openFolder();
                         w->deleteLater();
                     });
}

void DesktopWorkspace::open(const QUrl &url)
{
    if (!QDesktopServices::openUrl(url))
        qCWarning(lcVaru, "Não deu para abrir o link"); // its address may carry secrets
}
