#include "BackupFlows.h"

#include "CaptureRecorder.h"
#include "ShellDialogs.h"
#include "StoreFunnel.h"

#include "platform/Log.h"
#include "strip/model/StripModel.h"

#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <QPointer>

#include <thread>

namespace {

// What the store's queue hands back to the main thread.
struct Outcome
{
    bool ok = false;
    Store::ImportResult result;
    QString error;
};

// A statement's own message is meant for the user ("Este arquivo não é um backup do
// Varu."); anything else is shown in its full form.
QString importFailureText(const StoreError &e)
{
    return e.kind() == StoreError::Case::Sql ? e.message() : e.describe();
}

} // namespace

// How a copying thread hands its result to the main thread: cleared when the flows go, so a
// thread that finishes later (or never) reaches nothing.
struct BackupFlows::Mailbox
{
    QMutex mutex;
    BackupFlows *flows = nullptr;

    void post(std::function<void(BackupFlows &)> f)
    {
        QMutexLocker lock(&mutex);
        if (flows)
            QMetaObject::invokeMethod(
                flows, [target = flows, f = std::move(f)] { f(*target); }, Qt::QueuedConnection);
    }
};

BackupFlows::BackupFlows(StoreFunnel &funnel, StripModel &model, ShellDialogs &dialogs,
                         std::function<void()> hideStrip, QObject *parent)
    : QObject(parent)
    , m_funnel(funnel)
    , m_model(model)
    , m_dialogs(dialogs)
    , m_hideStrip(std::move(hideStrip))
    , m_mailbox(std::make_shared<Mailbox>())
{
    m_mailbox->flows = this;
}

BackupFlows::~BackupFlows()
{
    QMutexLocker lock(&m_mailbox->mutex);
    m_mailbox->flows = nullptr;
}

void BackupFlows::inTurn(std::function<void()> dialogs)
{
    m_waitingDialogs.push_back(std::move(dialogs));
    if (m_showingDialog)
        return;
    m_showingDialog = true;
    while (!m_waitingDialogs.empty()) {
        const std::function<void()> next = std::move(m_waitingDialogs.front());
        m_waitingDialogs.pop_front();
        next();
    }
    m_showingDialog = false;
}

QString BackupFlows::everythingFileName(const QDateTime &now)
{
    return QStringLiteral("Varu ") + now.toString(QStringLiteral("yyyy-MM-dd 'às' HH.mm.ss")) +
           QStringLiteral(".varu");
}

QString BackupFlows::proposedName(const QString &name)
{
    QString clean = name;
    return clean.replace(QLatin1Char('/'), QLatin1Char('-'));
}

QString BackupFlows::importReport(const Store::ImportResult &result)
{
    QString text = result.items == 1 ? QStringLiteral("1 card novo")
                                     : QStringLiteral("%1 cards novos").arg(result.items);
    if (result.tabs == 1)
        text += QStringLiteral(" e 1 tab nova");
    else if (result.tabs > 1)
        text += QStringLiteral(" e %1 tabs novas").arg(result.tabs);
    return text + QLatin1Char('.');
}

void BackupFlows::exportEverything()
{
    runExport(everythingFileName(QDateTime::currentDateTime()), Store::ExportScope::everything(),
              QStringLiteral("Exportar o histórico e as tabs"),
              QStringLiteral("Exporta o histórico e todas as tabs. O arquivo leva o conteúdo "
                             "copiado: compartilhe só com quem você confia."));
}

void BackupFlows::exportTab(const QString &id)
{
    const std::optional<UserTab> userTab = m_model.userTab(id);
    const QString name = userTab ? userTab->name : QStringLiteral("Tab");
    runExport(name + QStringLiteral(".varu"), Store::ExportScope::userTab(id),
              QStringLiteral("Exportar a tab “") + name + QStringLiteral("”"),
              QStringLiteral("Exporta só os cards da tab “") + name +
                  QStringLiteral("”. Quem abrir o arquivo recebe a tab no Varu."));
}

void BackupFlows::runExport(const QString &fileName, const Store::ExportScope &scope,
                            const QString &heading, const QString &message)
{
    if (m_hideStrip)
        m_hideStrip();
    inTurn([=, this] {
        // File choosers (the desktop portal's above all) have no room for a message, and a
        // title is cut: the warning comes first, as a message of its own.
        if (!m_dialogs.confirm(heading, message, QStringLiteral("Escolher arquivo…"), false))
            return;
        const std::optional<QString> path =
            m_dialogs.saveBackup(proposedName(fileName), heading, QStringLiteral("Exportar"));
        if (path && !path->isEmpty())
            startExport(*path, scope);
    });
}

void BackupFlows::startExport(const QString &path, const Store::ExportScope &scope)
{
    auto outcome = std::make_shared<Outcome>();
    QPointer<BackupFlows> self(this);
    m_funnel.onQueue(
        [path, scope, outcome](Store &store) {
            try {
                store.exportTo(path, scope);
                outcome->ok = true;
            } catch (const StoreError &e) {
                outcome->error = e.describe();
            } catch (const std::exception &e) {
                outcome->error = QString::fromUtf8(e.what());
            }
        },
        [self, path, outcome] {
            if (!self)
                return;
            if (outcome->ok) {
                qCInfo(lcVaru, "Exportado para %s", qUtf8Printable(path));
                self->m_dialogs.reveal(path);
                Q_EMIT self->exportFinished(true);
                return;
            }
            self->inTurn([self, error = outcome->error] {
                self->m_dialogs.alert(QStringLiteral("Não foi possível exportar"), error);
                Q_EMIT self->exportFinished(false);
            });
        });
}

void BackupFlows::importFile()
{
    if (m_hideStrip)
        m_hideStrip();
    inTurn([this] {
        const std::optional<QString> path = m_dialogs.openBackup(
            QStringLiteral("Importar um arquivo .varu"), QStringLiteral("Importar"));
        if (path && !path->isEmpty())
            startImport(*path);
    });
}

void BackupFlows::runImport(const QString &path, bool ask)
{
    if (!ask) {
        startImport(path);
        return;
    }
    const QString key = QFileInfo(path).absoluteFilePath();
    if (m_asking.contains(key))
        return;
    m_asking.insert(key);
    inTurn([this, path, key] {
        const QString name = QFileInfo(path).completeBaseName();
        const bool accepted = m_dialogs.confirm(
            QStringLiteral("Importar “") + name + QStringLiteral("” no Varu?"),
            QStringLiteral("Os cards e tabs do arquivo entram no seu Varu. Cards iguais não "
                           "duplicam e tabs com o mesmo nome são juntadas."),
            QStringLiteral("Importar"), false);
        m_asking.remove(key);
        if (accepted)
            startImport(path);
    });
}

void BackupFlows::startImport(const QString &path)
{
    const QString folder = m_funnel.stagingFolder();
    // Detached: a read that never returns (a hung network mount) keeps only this thread.
    std::thread([mailbox = m_mailbox, path, folder] {
        std::shared_ptr<StagedBackup> staged;
        QString error;
        try {
            staged = std::make_shared<StagedBackup>(
                StagedBackup::stage(path, folder, Store::stagingLimit(folder)));
        } catch (const StoreError &e) {
            error = importFailureText(e);
        } catch (const std::exception &e) {
            error = QString::fromUtf8(e.what());
        }
        mailbox->post([staged, error](BackupFlows &flows) {
            if (staged)
                flows.mergeStaged(staged);
            else
                flows.reportImport(false, error);
        });
    }).detach();
}

void BackupFlows::mergeStaged(const std::shared_ptr<StagedBackup> &staged)
{
    auto outcome = std::make_shared<Outcome>();
    QPointer<BackupFlows> self(this);
    // The reload follows whatever the outcome; the report comes once the strip has it.
    m_funnel.onStore(
        [staged, outcome](Store &store) {
            try {
                outcome->result = store.importStaged(*staged, CaptureRecorder::recognize);
                outcome->ok = true;
            } catch (const StoreError &e) {
                outcome->error = importFailureText(e);
            } catch (const std::exception &e) {
                outcome->error = QString::fromUtf8(e.what());
            }
        },
        [self, outcome] {
            if (self)
                self->reportImport(outcome->ok,
                                   outcome->ok ? importReport(outcome->result) : outcome->error);
        });
}

void BackupFlows::reportImport(bool ok, const QString &text)
{
    inTurn([this, ok, text] {
        m_dialogs.alert(ok ? QStringLiteral("Importação concluída")
                           : QStringLiteral("Não foi possível importar"),
                        text);
        Q_EMIT importFinished(ok);
    });
}

void BackupFlows::clearHistory()
{
    inTurn([this] {
        const bool accepted = m_dialogs.confirm(
            QStringLiteral("Apagar todo o histórico do Varu?"),
            QStringLiteral("Isso remove %1 itens do histórico. O que está nas tabs continua lá.")
                .arg(m_model.history().size()),
            QStringLiteral("Apagar"), true);
        if (accepted)
            m_funnel.onStore([](Store &store) { store.clearHistory(); });
    });
}
