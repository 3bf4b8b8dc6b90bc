#include "SessionRunner.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <csignal>
#include <memory>
#include <sys/prctl.h>
#include <vector>

namespace SessionRunner {

namespace {

const char *const kInside = "VARU_INSIDE_TEST_SESSION";

std::vector<std::unique_ptr<QProcess>> &started()
{
    static std::vector<std::unique_ptr<QProcess>> list;
    return list;
}

void dieWithParent(QProcess &p)
{
    p.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
}

} // namespace

int exec(int argc, char **argv, DesktopSession::Options options,
         const std::function<int(int, char **)> &inner)
{
    if (qEnvironmentVariableIsSet(kInside))
        return inner(argc, argv);

    QCoreApplication app(argc, argv);
    DesktopSession desktop(options);
    if (!desktop.isReady()) {
        qCritical("the test desktop did not start: %s", qPrintable(desktop.error()));
        return 1;
    }
    QProcessEnvironment env = desktop.environment();
    env.insert(QString::fromLatin1(kInside), QStringLiteral("1"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    QProcess self;
    self.setProcessEnvironment(env);
    self.setProcessChannelMode(QProcess::ForwardedChannels);
    dieWithParent(self);
    self.start(QCoreApplication::applicationFilePath(), app.arguments().mid(1));
    if (!self.waitForStarted(10000))
        return 1;
    self.waitForFinished(-1);
    return self.exitStatus() == QProcess::NormalExit ? self.exitCode() : 1;
}

QString dataDir()
{
    return qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Varu");
}

int run(const QString &program, const QStringList &args, QByteArray *out, int timeoutMs,
        const QByteArray &input)
{
    // Only the event loop waits: the tool may ask this process for the clipboard, and
    // QProcess's blocking waits leave such requests unanswered now and then.
    QProcess p;
    dieWithParent(p);
    p.start(program, args);
    if (!input.isNull()) {
        p.write(input);
        p.closeWriteChannel();
    }
    QDeadlineTimer deadline(timeoutMs);
    while (p.state() != QProcess::NotRunning) {
        if (deadline.hasExpired()) {
            p.kill();
            p.waitForFinished(2000);
            return -1;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    if (p.error() == QProcess::FailedToStart)
        return -1;
    if (out)
        *out = p.readAllStandardOutput();
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

QProcess *start(const QString &program, const QStringList &args)
{
    auto p = std::make_unique<QProcess>();
    dieWithParent(*p);
    p->start(program, args);
    p->waitForStarted(5000);
    started().push_back(std::move(p));
    return started().back().get();
}

void stopAll()
{
    for (auto &p : started()) {
        if (p->state() == QProcess::NotRunning)
            continue;
        p->terminate();
        if (!p->waitForFinished(3000)) {
            p->kill();
            p->waitForFinished(2000);
        }
    }
    started().clear();
}

QStringList windowsNamed(const QString &pattern)
{
    QByteArray out;
    run(QStringLiteral("xdotool"),
        {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
         pattern},
        &out, 5000);
    return QString::fromUtf8(out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace SessionRunner
