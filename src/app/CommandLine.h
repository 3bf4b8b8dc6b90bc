#pragma once
// What the `varu` command was asked to do: start (or reopen) the application, open backup
// files, or send one command to the running instance.

#include <QString>
#include <QStringList>

struct CommandLine
{
    enum class Action { Start, Toggle, Preview, Settings, Help, Invalid };

    Action action = Action::Start;
    QString pane;      // for Settings: the pane to open, may be empty
    QStringList files; // for Start: files to open (absolute paths)
    QString error;     // for Invalid

    // `args` excludes the program name and the options Qt itself takes (-platform…).
    static CommandLine parse(const QStringList &args, const QString &workingDir);
    static QString usage();

    // Commands that only talk to a running instance and need no display.
    bool isRemoteCommand() const;
};
