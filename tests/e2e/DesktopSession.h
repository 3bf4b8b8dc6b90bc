#pragma once
// A throw-away desktop for end-to-end tests: Xvfb, Openbox, a private D-Bus session and a
// temporary HOME with its own XDG folders. Every process it starts dies with it, and with
// the test process if that crashes.

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <vector>

class DesktopSession
{
public:
    struct Options {
        bool windowManager = true;
        bool trayHost = false;
        // A home where Varu has never run: it greets the user with the onboarding window.
        // Otherwise the onboarding counts as done, as for everyone after the first day.
        bool firstStart = false;
    };

    DesktopSession() : DesktopSession(Options{}) {}
    explicit DesktopSession(Options options);
    ~DesktopSession();

    DesktopSession(const DesktopSession &) = delete;
    DesktopSession &operator=(const DesktopSession &) = delete;

    // False (with `error()` saying why) when a part of the desktop could not be started.
    bool isReady() const { return m_ready; }
    QString error() const { return m_error; }

    QString display() const { return m_display; }
    QString home() const;
    QString dataDir() const;   // $XDG_DATA_HOME/Varu
    QString configHome() const;
    QString cacheHome() const;
    QProcessEnvironment environment() const { return m_env; }

    // Starts `program` in the session; it is killed when the session ends.
    QProcess *start(const QString &program, const QStringList &args = {});
    // Starts the real varu binary.
    QProcess *startVaru(const QStringList &args = {});
    // Runs a tool to completion (xdotool, xclip…); returns its exit code, -1 on timeout.
    int run(const QString &program, const QStringList &args, QByteArray *out = nullptr,
            int timeoutMs = 15000, const QByteArray &input = {});

    // Polls `predicate` while letting events run; true when it held within the time.
    template<typename P>
    static bool waitFor(P predicate, int timeoutMs = 10000);

    // Visible windows whose title matches `pattern` (xdotool search --onlyvisible --name).
    QStringList windowsNamed(const QString &pattern);
    // Saves a screenshot of the whole screen.
    bool screenshot(const QString &path);

    static QString varuBinary();

private:
    QProcess *spawn(const QString &program, const QStringList &args, bool track);
    bool startXvfb();
    bool startDbus();

    Options m_options;
    QTemporaryDir m_dir;
    QString m_display;
    QProcessEnvironment m_env;
    std::vector<std::unique_ptr<QProcess>> m_processes;
    bool m_ready = false;
    QString m_error;
};

bool waitForCondition(const std::function<bool()> &predicate, int timeoutMs);

template<typename P>
bool DesktopSession::waitFor(P predicate, int timeoutMs)
{
    return waitForCondition(predicate, timeoutMs);
}
