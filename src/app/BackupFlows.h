#pragma once
// Backups and clearing, as the user meets them: export of everything or of one tab through a
// save dialog, import through an open dialog or of a file opened from outside (after asking),
// the reports of both, and the question before the history is cleared.

#include "store/Store.h"

#include <QDateTime>
#include <QObject>
#include <QSet>

#include <deque>
#include <functional>
#include <memory>

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
    ~BackupFlows() override;

    void exportEverything();
    void exportTab(const QString &id);
    void importFile();
    // `ask`: a file opened from outside Varu, imported only when the user agrees. A file
    // already waiting for its question is not asked about twice. The file is copied on a
    // thread of its own (a special file or a hung mount holds up nothing else), then merged.
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
    struct Mailbox;

    // Shows one modal dialog (or a few in a row) at a time: a request made while one is open
    // (from the nested event loop it runs) waits until it has closed.
    void inTurn(std::function<void()> dialogs);
    void startImport(const QString &path);
    void mergeStaged(const std::shared_ptr<StagedBackup> &staged);
    void reportImport(bool ok, const QString &text);
    void runExport(const QString &fileName, const Store::ExportScope &scope,
                   const QString &heading, const QString &message);
    void startExport(const QString &path, const Store::ExportScope &scope);

    StoreFunnel &m_funnel;
    StripModel &m_model;
    ShellDialogs &m_dialogs;
    std::function<void()> m_hideStrip;
    std::deque<std::function<void()>> m_waitingDialogs;
    bool m_showingDialog = false;
    QSet<QString> m_asking; // files whose question has not been answered yet
    std::shared_ptr<Mailbox> m_mailbox;
};
