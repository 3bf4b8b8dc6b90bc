#pragma once
// Runs a test executable that needs its own X11 connection inside a throw-away desktop: the
// executable starts the desktop, then runs itself again inside it (a Qt application must see
// its display when it is created). The tools below serve that inner run.

#include "DesktopSession.h"

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <functional>

namespace SessionRunner {

// Outside a desktop: starts one with `options`, runs this executable in it with the same
// arguments and returns its exit code. Inside: returns `inner(argc, argv)`.
int exec(int argc, char **argv, DesktopSession::Options options,
         const std::function<int(int, char **)> &inner);

// Inner run only. The desktop's data folder ($XDG_DATA_HOME/Varu).
QString dataDir();
// Runs a tool to completion, handling events meanwhile; its exit code, -1 on timeout or
// crash.
int run(const QString &program, const QStringList &args, QByteArray *out = nullptr,
        int timeoutMs = 15000, const QByteArray &input = {});
// Starts a program that is killed when this process ends or `stopAll()` runs.
QProcess *start(const QString &program, const QStringList &args = {});
void stopAll();
// Visible windows whose title matches `pattern`, as decimal window ids.
QStringList windowsNamed(const QString &pattern);

} // namespace SessionRunner
