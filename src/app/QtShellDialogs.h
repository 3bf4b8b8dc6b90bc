#pragma once
// The shell's dialogs on the desktop: QMessageBox alerts (each also logged, message and
// informative text), Qt file dialogs (the desktop portal's where one runs), and the file
// manager through org.freedesktop.FileManager1, else the file's folder.

#include "ShellDialogs.h"

class QtShellDialogs : public ShellDialogs
{
public:
    void alert(const QString &message, const QString &informative) override;
    bool confirm(const QString &message, const QString &informative, const QString &accept,
                 bool destructive) override;
    std::optional<QString> saveBackup(const QString &fileName, const QString &message,
                                      const QString &accept) override;
    std::optional<QString> openBackup(const QString &message, const QString &accept) override;
    void reveal(const QString &path) override;

    static const QString &nameFilter();
};
