#include "DesktopSession.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

#ifndef VARU_BINARY
#error "VARU_BINARY must name the varu executable"
#endif

bool waitForCondition(const std::function<bool()> &predicate, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!predicate()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(20);
    }
    return true;
}

DesktopSession::DesktopSession(Options options)
    : m_options(options)
{
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary directory");
        return;
    }
    const QString root = m_dir.path();
    for (const char *sub : {"home", "home/.local/share", "home/.config", "home/.cache", "runtime"})
        QDir().mkpath(root + QLatin1Char('/') + QLatin1String(sub));
    if (!m_options.firstStart) {
        QDir().mkpath(configHome() + QStringLiteral("/Varu"));
        QFile flags(configHome() + QStringLiteral("/Varu/Varu.conf"));
        if (!flags.open(QIODevice::WriteOnly) ||
            flags.write("[General]\nonboardingDone=true\n") < 0) {
            m_error = QStringLiteral("cannot write the user defaults");
            return;
        }
    }
    QFile::setPermissions(root + QStringLiteral("/runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    m_env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DBUS_SESSION_BUS_ADDRESS", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM",
                             "XDG_CURRENT_DESKTOP", "SESSION_MANAGER", "XAUTHORITY"})
        m_env.remove(QLatin1String(name));
    m_env.insert(QStringLiteral("HOME"), home());
    m_env.insert(QStringLiteral("XDG_DATA_HOME"), home() + QStringLiteral("/.local/share"));
    m_env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome());
    m_env.insert(QStringLiteral("XDG_CACHE_HOME"), cacheHome());
    m_env.insert(QStringLiteral("XDG_RUNTIME_DIR"), root + QStringLiteral("/runtime"));
    m_env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    m_env.insert(QStringLiteral("QT_QUICK_BACKEND"), QStringLiteral("software"));

    if (!startXvfb() || !startDbus())
        return;
    if (m_options.windowManager) {
        QProcess *wm = start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
        // Openbox announces itself through _NET_SUPPORTING_WM_CHECK once it manages the screen.
        const bool up = waitFor([&] {
            QByteArray out;
            return wm->state() == QProcess::Running
                   && run(QStringLiteral("xprop"),
                          {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")},
                          &out, 2000) == 0
                   && out.contains("window id");
        });
        if (!up) {
            m_error = QStringLiteral("openbox did not start");
            return;
        }
    }
    if (m_options.trayHost) {
        start(QStringLiteral("trayer"), {QStringLiteral("--edge"), QStringLiteral("top"),
                                         QStringLiteral("--align"), QStringLiteral("right"),
                                         QStringLiteral("--width"), QStringLiteral("10")});
        QThread::msleep(300);
    }
    m_ready = true;
}

DesktopSession::~DesktopSession()
{
    // Newest first: the application before the bus and the display it talks to.
    for (auto it = m_processes.rbegin(); it != m_processes.rend(); ++it) {
        QProcess *p = it->get();
        if (p->state() == QProcess::NotRunning)
            continue;
        p->terminate();
        if (!p->waitForFinished(3000)) {
            p->kill();
            p->waitForFinished(3000);
        }
    }
    m_processes.clear();
}

QString DesktopSession::home() const
{
    return m_dir.path() + QStringLiteral("/home");
}

QString DesktopSession::dataDir() const
{
    return home() + QStringLiteral("/.local/share/Varu");
}

QString DesktopSession::configHome() const
{
    return home() + QStringLiteral("/.config");
}

QString DesktopSession::cacheHome() const
{
    return home() + QStringLiteral("/.cache");
}

QString DesktopSession::varuBinary()
{
    return QStringLiteral(VARU_BINARY);
}

QProcess *DesktopSession::spawn(const QString &program, const QStringList &args, bool track)
{
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(m_env);
    process->setProgram(program);
    process->setArguments(args);
    // Children die with the test, even when it crashes.
    process->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    process->start();
    QProcess *raw = process.get();
    if (track)
        m_processes.push_back(std::move(process));
    else
        process.release()->deleteLater();
    return raw;
}

QProcess *DesktopSession::start(const QString &program, const QStringList &args)
{
    QProcess *p = spawn(program, args, true);
    p->waitForStarted(5000);
    return p;
}

QProcess *DesktopSession::startVaru(const QStringList &args)
{
    return start(varuBinary(), args);
}

int DesktopSession::run(const QString &program, const QStringList &args, QByteArray *out,
                        int timeoutMs, const QByteArray &input)
{
    QProcess p;
    p.setProcessEnvironment(m_env);
    p.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    p.start(program, args);
    if (!p.waitForStarted(5000))
        return -1;
    if (!input.isNull()) {
        p.write(input);
        p.closeWriteChannel();
    }
    // Wait through the event loop: the test process may own the clipboard the tool reads,
    // and a blocking wait would leave that request unanswered.
    if (!waitFor([&] { return p.state() == QProcess::NotRunning; }, timeoutMs)) {
        p.kill();
        p.waitForFinished(2000);
        return -1;
    }
    if (out)
        *out = p.readAllStandardOutput();
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

QStringList DesktopSession::windowsNamed(const QString &pattern)
{
    QByteArray out;
    run(QStringLiteral("xdotool"),
        {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"), pattern},
        &out, 5000);
    return QString::fromUtf8(out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

bool DesktopSession::screenshot(const QString &path)
{
    return run(QStringLiteral("import"),
               {QStringLiteral("-window"), QStringLiteral("root"), path}) == 0;
}

bool DesktopSession::startXvfb()
{
    // Pick a free display; -noreset keeps the server alive between clients.
    for (int n = 120 + (::getpid() % 200); n < 1000; ++n) {
        if (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n))
            || QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)))
            continue;
        const QString display = QStringLiteral(":%1").arg(n);
        QProcess *x = start(QStringLiteral("Xvfb"),
                            {display, QStringLiteral("-screen"), QStringLiteral("0"),
                             QStringLiteral("1920x1080x24"), QStringLiteral("-nolisten"),
                             QStringLiteral("tcp"), QStringLiteral("-noreset")});
        const bool up = waitFor(
            [&] {
                return x->state() != QProcess::Running
                       || QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n));
            },
            10000);
        if (up && x->state() == QProcess::Running) {
            m_display = display;
            m_env.insert(QStringLiteral("DISPLAY"), display);
            return true;
        }
    }
    m_error = QStringLiteral("Xvfb did not start");
    return false;
}

bool DesktopSession::startDbus()
{
    QProcess *bus = start(QStringLiteral("dbus-daemon"),
                          {QStringLiteral("--session"), QStringLiteral("--nofork"),
                           QStringLiteral("--nopidfile"), QStringLiteral("--print-address=1")});
    QByteArray address;
    waitFor([&] {
        address += bus->readAllStandardOutput();
        return address.contains('\n') || bus->state() != QProcess::Running;
    });
    address = address.trimmed();
    if (address.isEmpty()) {
        m_error = QStringLiteral("dbus-daemon did not start");
        return false;
    }
    m_env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QString::fromUtf8(address));
    return true;
}
