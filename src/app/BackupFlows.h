#pragma once
// Backups and clearing, as the user meets them: export of everything or of one tab through a
// save dialog, import through an open dialog or of a file opened from outside (after asking),
// the reports of both, and the question before the history is cleared.

#include "store/Store.h"

#include <QDateTime>
#include <QObject>

#include <functional>

class ShellDialogs;
class StoreFunnel;
class StripModel;

class BackupFlows : public QObject
{
    Q_OBJECT

public:
    // `hideStrip` puts the strip away before a file dialog opens.
    BackupFlows(StoreFunnel &funnel, StripModel &model, ShellDialogs &dialogs,
                std::function<void()> hideStrip, QObject *parent = nullptr);

    void exportEverything();
    void exportTab(const QString &id);
    void importFile();
    // `ask`: a file opened from outside Varu, imported only when the user agrees.
    void runImport(const QString &path, bool ask);
    void clearHistory();

    // "Varu 2026-12-06 às 14.03.22.varu"
    static QString everythingFileName(const QDateTime &now);
    // The proposed name of a file: no "/", which cannot be part of a file name.
    static QString proposedName(const QString &name);
    // "1 card novo e 2 tabs novas."
    static QString importReport(const Store::ImportResult &result);

Q_SIGNALS:
    // The outcome has been shown to the user (for tests and the log).
    void exportFinished(bool ok);
    void importFinished(bool ok);

private:
    void runExport(const QString &fileName, const Store::ExportScope &scope,
                   const QString &heading, const QString &message);

    StoreFunnel &m_funnel;
    StripModel &m_model;
    ShellDialogs &m_dialogs;
    std::function<void()> m_hideStrip;
};
