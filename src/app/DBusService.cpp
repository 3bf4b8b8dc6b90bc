#include "DBusService.h"

#include "platform/Log.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>

namespace {
// Requests are answered at once and handled afterwards: handling may show a modal dialog,
// and the caller must not wait for the user.
template<typename F> void later(QObject *context, F f)
{
    QMetaObject::invokeMethod(context, std::move(f), Qt::QueuedConnection);
}
} // namespace

DBusService::DBusService(QObject *parent)
    : QObject(parent)
{}

bool DBusService::claim()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    m_busAvailable = bus.isConnected();
    if (!m_busAvailable)
        return false;
    QDBusConnectionInterface *iface = bus.interface();
    if (iface->isServiceRegistered(QLatin1String(kService)))
        return false;
    if (!bus.registerObject(QLatin1String(kPath), this, QDBusConnection::ExportScriptableSlots))
        return false;
    const auto reply =
        iface->registerService(QLatin1String(kService), QDBusConnectionInterface::DontQueueService,
                               QDBusConnectionInterface::DontAllowReplacement);
    if (reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered)
        return true;
    bus.unregisterObject(QLatin1String(kPath));
    return false;
}

void DBusService::Toggle()
{
    later(this, [this] { Q_EMIT toggleRequested(); });
}

void DBusService::Preview()
{
    later(this, [this] { Q_EMIT previewRequested(); });
}

void DBusService::Settings(const QString &pane)
{
    later(this, [this, pane] { Q_EMIT settingsRequested(pane); });
}

void DBusService::Reopen()
{
    later(this, [this] { Q_EMIT reopenRequested(); });
}

void DBusService::Open(const QStringList &paths)
{
    later(this, [this, paths] { Q_EMIT openRequested(paths); });
}

namespace DBusClient {

bool call(const QString &method, const QVariantList &args, QString *error)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        if (error)
            *error = QStringLiteral("Sem sessão D-Bus: %1").arg(bus.lastError().message());
        return false;
    }
    QDBusMessage msg = QDBusMessage::createMethodCall(QLatin1String(DBusService::kService),
                                                      QLatin1String(DBusService::kPath),
                                                      QLatin1String(DBusService::kService), method);
    msg.setArguments(args);
    const QDBusMessage reply = bus.call(msg, QDBus::Block, 5000);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        if (error)
            *error = reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown")
                         ? QStringLiteral("O Varu não está em execução.")
                         : reply.errorMessage();
        return false;
    }
    return true;
}

} // namespace DBusClient
