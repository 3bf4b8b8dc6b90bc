#include "CommandLine.h"

#include <QDir>
#include <QUrl>

CommandLine CommandLine::parse(const QStringList &args, const QString &workingDir)
{
    CommandLine cmd;
    if (args.isEmpty())
        return cmd;
    const QString first = args.first();
    if (first == QLatin1String("-h") || first == QLatin1String("--help") ||
        first == QLatin1String("help")) {
        cmd.action = Action::Help;
        return cmd;
    }
    if (first == QLatin1String("toggle") || first == QLatin1String("preview")) {
        cmd.action = first == QLatin1String("toggle") ? Action::Toggle : Action::Preview;
        if (args.size() > 1) {
            cmd.action = Action::Invalid;
            cmd.error = QStringLiteral("\"%1\" não aceita argumentos.").arg(first);
        }
        return cmd;
    }
    if (first == QLatin1String("settings")) {
        cmd.action = Action::Settings;
        if (args.size() > 2) {
            cmd.action = Action::Invalid;
            cmd.error = QStringLiteral("\"settings\" aceita no máximo um painel.");
        } else if (args.size() == 2) {
            cmd.pane = args.at(1);
        }
        return cmd;
    }
    const QDir base(workingDir);
    for (const QString &arg : args) {
        if (arg.startsWith(QLatin1Char('-'))) {
            cmd.action = Action::Invalid;
            cmd.error = QStringLiteral("Opção desconhecida: %1").arg(arg);
            cmd.files.clear();
            return cmd;
        }
        QString path = arg;
        if (path.startsWith(QLatin1String("file://")))
            path = QUrl(path).toLocalFile();
        cmd.files << QDir::cleanPath(base.absoluteFilePath(path));
    }
    return cmd;
}

QString CommandLine::usage()
{
    return QStringLiteral(
        "Uso: varu [ARQUIVO.varu…]\n"
        "     varu toggle              mostra ou esconde a faixa de cards\n"
        "     varu preview             pré-visualiza o card selecionado\n"
        "     varu settings [painel]   abre os ajustes (general, history, privacy, data, about)\n"
        "\n"
        "Sem argumentos, inicia o Varu (ou mostra a faixa, se ele já estiver aberto).\n");
}

bool CommandLine::isRemoteCommand() const
{
    return action == Action::Toggle || action == Action::Preview || action == Action::Settings;
}
