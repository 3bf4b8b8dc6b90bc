#pragma once
// The modal dialogs of the shell (alerts, questions, file choosers) and revealing a file in
// the file manager; real ones in QtShellDialogs, recording ones in tests.

#include <QString>

#include <optional>

class ShellDialogs
{
public:
    virtual ~ShellDialogs() = default;

    // An alert with one button; returns once it is dismissed.
    virtual void alert(const QString &message, const QString &informative) = 0;
    // A question with `accept` as the first button and "Cancelar"; true when accepted.
    virtual bool confirm(const QString &message, const QString &informative, const QString &accept,
                         bool destructive) = 0;
    // A backup file to write, proposing `fileName`, under a short `title`; none when cancelled.
    virtual std::optional<QString> saveBackup(const QString &fileName, const QString &title,
                                              const QString &accept) = 0;
    // A backup file to read, under a short `title`; none when cancelled.
    virtual std::optional<QString> openBackup(const QString &title, const QString &accept) = 0;
    // Shows the file, selected, in the file manager.
    virtual void reveal(const QString &path) = 0;
};
