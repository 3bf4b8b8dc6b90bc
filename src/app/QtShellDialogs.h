#pragma once
// The shell's dialogs on the desktop: QMessageBox alerts (each also logged, message and
// informative text), Qt file dialogs (the desktop portal's where one runs), and the desktop's
// file manager.

#include "ShellDialogs.h"

class Workspace;

class QtShellDialogs : public ShellDialogs
{
public:
    explicit QtShellDialogs(Workspace &workspace);

    void alert(const QString &message, const QString &informative) override;
    bool confirm(const QString &message, const QString &informative, const QString &accept,
                 bool destructive) override;
    std::optional<QString> saveBackup(const QString &fileName, const QString &title,
                                      const QString &accept) override;
    std::optional<QString> openBackup(const QString &title, const QString &accept) override;
    void reveal(const QString &path) override;

    static const QString &nameFilter();

private:
    Workspace &m_workspace;
};
