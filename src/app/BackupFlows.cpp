#include "BackupFlows.h"

#include "ShellDialogs.h"
#include "StoreFunnel.h"

#include "platform/Log.h"
#include "strip/model/StripModel.h"

#include <QFileInfo>
#include <QPointer>

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

BackupFlows::BackupFlows(StoreFunnel &funnel, StripModel &model, ShellDialogs &dialogs,
                         std::function<void()> hideStrip, QObject *parent)
    : QObject(parent)
    , m_funnel(funnel)
    , m_model(model)
    , m_dialogs(dialogs)
    , m_hideStrip(std::move(hideStrip))
{}

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
    // File choosers (the desktop portal's above all) have no room for a message, and a title
    // is cut: the warning comes first, as a message of its own.
    if (!m_dialogs.confirm(heading, message, QStringLiteral("Escolher arquivo…"), false))
        return;
    const std::optional<QString> path =
        m_dialogs.saveBackup(proposedName(fileName), heading, QStringLiteral("Exportar"));
    if (!path || path->isEmpty())
        return;
    auto outcome = std::make_shared<Outcome>();
    QPointer<BackupFlows> self(this);
    m_funnel.onQueue(
        [path = *path, scope, outcome](Store &store) {
            try {
                store.exportTo(path, scope);
                outcome->ok = true;
            } catch (const StoreError &e) {
                outcome->error = e.describe();
            } catch (const std::exception &e) {
                outcome->error = QString::fromUtf8(e.what());
            }
        },
        [self, path = *path, outcome] {
            if (!self)
                return;
            if (outcome->ok) {
                qCInfo(lcVaru, "Exportado para %s", qUtf8Printable(path));
                self->m_dialogs.reveal(path);
            } else {
                self->m_dialogs.alert(QStringLiteral("Não foi possível exportar"), outcome->error);
            }
            Q_EMIT self->exportFinished(outcome->ok);
        });
}

void BackupFlows::importFile()
{
    if (m_hideStrip)
        m_hideStrip();
    const std::optional<QString> path = m_dialogs.openBackup(
        QStringLiteral("Importar um arquivo .varu"), QStringLiteral("Importar"));
    if (path && !path->isEmpty())
        runImport(*path, false);
}

void BackupFlows::runImport(const QString &path, bool ask)
{
    if (ask) {
        const QString name = QFileInfo(path).completeBaseName();
        const bool accepted = m_dialogs.confirm(
            QStringLiteral("Importar “") + name + QStringLiteral("” no Varu?"),
            QStringLiteral("Os cards e tabs do arquivo entram no seu Varu. Cards iguais não "
                           "duplicam e tabs com o mesmo nome são juntadas."),
            QStringLiteral("Importar"), false);
        if (!accepted)
            return;
    }
    auto outcome = std::make_shared<Outcome>();
    QPointer<BackupFlows> self(this);
    // The reload follows whatever the outcome; the report comes once the strip has it.
    m_funnel.onStore(
        [path, outcome](Store &store) {
            try {
                outcome->result = store.importData(path);
                outcome->ok = true;
            } catch (const StoreError &e) {
                outcome->error = importFailureText(e);
            } catch (const std::exception &e) {
                outcome->error = QString::fromUtf8(e.what());
            }
        },
        [self, outcome] {
            if (!self)
                return;
            if (outcome->ok)
                self->m_dialogs.alert(QStringLiteral("Importação concluída"),
                                      importReport(outcome->result));
            else
                self->m_dialogs.alert(QStringLiteral("Não foi possível importar"), outcome->error);
            Q_EMIT self->importFinished(outcome->ok);
        });
}

void BackupFlows::clearHistory()
{
    const bool accepted = m_dialogs.confirm(
        QStringLiteral("Apagar todo o histórico do Varu?"),
        QStringLiteral("Isso remove %1 itens do histórico. O que está nas tabs continua lá.")
            .arg(m_model.history().size()),
        QStringLiteral("Apagar"), true);
    if (accepted)
        m_funnel.onStore([](Store &store) { store.clearHistory(); });
}
