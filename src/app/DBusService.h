#pragma once
// The running instance's D-Bus face, com.teko.varu on the session bus: the command line, the
// file manager and a second launch reach the first instance through it.

#include <QObject>
#include <QStringList>

class DBusService : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.teko.varu")

public:
    static constexpr const char *kService = "com.teko.varu";
    static constexpr const char *kPath = "/com/teko/varu";

    explicit DBusService(QObject *parent = nullptr);

    // Exports this object and claims the name. False when another instance holds it, or
    // when there is no session bus (then `busAvailable()` is false too).
    bool claim();
    bool busAvailable() const { return m_busAvailable; }

public Q_SLOTS:
    Q_SCRIPTABLE void Toggle();
    Q_SCRIPTABLE void Preview();
    Q_SCRIPTABLE void Settings(const QString &pane);
    Q_SCRIPTABLE void Reopen();
    Q_SCRIPTABLE void Open(const QStringList &paths);

Q_SIGNALS:
    void toggleRequested();
    void previewRequested();
    void settingsRequested(const QString &pane);
    void reopenRequested();
    void openRequested(const QStringList &paths);

private:
    bool m_busAvailable = false;
};

namespace DBusClient {

// Calls `method` on the running instance. False (with `error` set) when none answers.
bool call(const QString &method, const QVariantList &args, QString *error);

} // namespace DBusClient
