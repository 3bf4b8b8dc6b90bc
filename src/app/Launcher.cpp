#include "Launcher.h"

#include "Shell.h"
#include "CommandLine.h"
#include "DBusService.h"
#include "MemoryReturn.h"

#include "platform/choice/DesktopChoice.h"
#include "platform/Log.h"
#include "platform/Paths.h"
#include "platform/QuitSignals.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>

#include <cstdio>
#include <memory>

namespace Launcher {

namespace {

QStringList rawArguments(int argc, char **argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    return args;
}

void printError(const QString &text)
{
    std::fputs(qUtf8Printable(text), stderr);
    if (!text.endsWith(QLatin1Char('\n')))
        std::fputc('\n', stderr);
}

int runRemote(int argc, char **argv, const CommandLine &cmd)
{
    QCoreApplication app(argc, argv);
    QString method;
    QVariantList args;
    switch (cmd.action) {
    case CommandLine::Action::Toggle:
        method = QStringLiteral("Toggle");
        break;
    case CommandLine::Action::Preview:
        method = QStringLiteral("Preview");
        break;
    default:
        method = QStringLiteral("Settings");
        args << cmd.pane;
        break;
    }
    QString error;
    if (DBusClient::call(method, args, &error))
        return 0;
    printError(error);
    return 1;
}

const char *const kNoDisplay =
    "O Varu precisa de uma sessão gráfica, e nenhuma foi encontrada (DISPLAY está vazia).\n"
    "Inicie-o de dentro da sua área de trabalho, ou, numa máquina sem tela, num servidor X "
    "virtual:\n"
    "  Xvfb :99 -screen 0 1920x1080x24 -nolisten tcp -noreset &\n"
    "  DISPLAY=:99 varu\n";

} // namespace

int run(int argc, char **argv)
{
    const QStringList raw = rawArguments(argc, argv);
    const CommandLine early = CommandLine::parse(raw.mid(0, 1), QDir::currentPath());
    if (early.action == CommandLine::Action::Help) {
        std::fputs(qUtf8Printable(CommandLine::usage()), stdout);
        return 0;
    }
    if (early.isRemoteCommand()) {
        const CommandLine cmd = CommandLine::parse(raw, QDir::currentPath());
        if (cmd.action == CommandLine::Action::Invalid) {
            printError(cmd.error + QLatin1Char('\n') + CommandLine::usage());
            return 2;
        }
        return runRemote(argc, argv, cmd);
    }

    // Qt aborts when it cannot reach a display; say plainly what is missing instead.
    if (!DesktopChoice::preparePlatform()) {
        std::fputs(kNoDisplay, stderr);
        return 1;
    }

    MemoryReturn::configure();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Varu"));
    QApplication::setOrganizationName(QStringLiteral("Varu"));
    QApplication::setDesktopFileName(QStringLiteral("com.teko.varu"));
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/com.teko.varu.svg")));
    // Varu speaks Brazilian Portuguese everywhere, Qt's own dialogs included.
    QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qtbase_pt_BR"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexts);

    const CommandLine cmd = CommandLine::parse(app.arguments().mid(1), QDir::currentPath());
    if (cmd.action == CommandLine::Action::Invalid) {
        printError(cmd.error + QLatin1Char('\n') + CommandLine::usage());
        return 2;
    }

    DBusService bus;
    if (!bus.claim()) {
        if (bus.busAvailable()) {
            // Another instance runs: hand it the request and leave.
            QString error;
            const bool ok = cmd.files.isEmpty()
                                ? DBusClient::call(QStringLiteral("Reopen"), {}, &error)
                                : DBusClient::call(QStringLiteral("Open"), {cmd.files}, &error);
            if (!ok)
                printError(error);
            return ok ? 0 : 1;
        }
        qCWarning(lcVaru, "Sem sessão D-Bus: sem instância única nem comandos remotos");
    }

    QuitSignals::install(&app);
    const std::unique_ptr<Desktop> desktop = DesktopChoice::createDesktop();
    Shell shell(*desktop, Paths::support());
    QObject::connect(&bus, &DBusService::reopenRequested, &shell, &Shell::reopen);
    QObject::connect(&bus, &DBusService::openRequested, &shell, &Shell::openFiles);
    QObject::connect(&bus, &DBusService::toggleRequested, &shell, &Shell::toggleStrip);
    QObject::connect(&bus, &DBusService::previewRequested, &shell, &Shell::togglePreview);
    QObject::connect(&bus, &DBusService::settingsRequested, &shell,
                     [&shell](const QString &pane) { shell.openSettings(pane); });
    if (!cmd.files.isEmpty())
        shell.openFiles(cmd.files);
    QTimer::singleShot(0, &shell, &Shell::launch);
    return app.exec();
}

} // namespace Launcher
