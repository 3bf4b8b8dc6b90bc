#include "HotKeyRules.h"

#include <QHash>
#include <QSet>
#include <QTextBoundaryFinder>

#include <algorithm>

namespace HotKeyRules {

namespace {

struct Modifier
{
    QString canonical;
    QString symbol;
};

// Canonical order: labels and lookups always list modifiers this way.
const QList<Modifier> &modifiers()
{
    static const QList<Modifier> list = {
        {QStringLiteral("ctrl"), QStringLiteral("⌃")},
        {QStringLiteral("opt"), QStringLiteral("⌥")},
        {QStringLiteral("shift"), QStringLiteral("⇧")},
        {QStringLiteral("cmd"), QStringLiteral("⌘")},
    };
    return list;
}

QString canonicalName(const QString &name)
{
    static const QHash<QString, QString> aliases = {
        {QStringLiteral("control"), QStringLiteral("ctrl")},
        {QStringLiteral("option"), QStringLiteral("opt")},
        {QStringLiteral("alt"), QStringLiteral("opt")},
        {QStringLiteral("command"), QStringLiteral("cmd")},
    };
    const QString lower = name.toLower();
    return aliases.value(lower, lower);
}

} // namespace

const QStringList &forbiddenKeys()
{
    static const QStringList keys = {QStringLiteral(" "), QStringLiteral("\t"),
                                     QStringLiteral("q")};
    return keys;
}

const QList<std::pair<QString, QString>> &reserved()
{
    static const QList<std::pair<QString, QString>> table = {
        {QStringLiteral("shift+cmd+3"), QStringLiteral("captura de tela")},
        {QStringLiteral("shift+cmd+4"), QStringLiteral("captura de tela")},
        {QStringLiteral("shift+cmd+5"), QStringLiteral("captura de tela")},
        {QStringLiteral("shift+cmd+6"), QStringLiteral("captura da Touch Bar")},
        {QStringLiteral("shift+cmd+z"), QStringLiteral("Refazer")},
        {QStringLiteral("shift+cmd+s"), QStringLiteral("Salvar como")},
        {QStringLiteral("shift+cmd+n"), QStringLiteral("Nova pasta / nova janela")},
        {QStringLiteral("shift+cmd+t"), QStringLiteral("Reabrir aba")},
        {QStringLiteral("shift+cmd+d"), QStringLiteral("Mesa (Finder)")},
        {QStringLiteral("shift+cmd+g"), QStringLiteral("Ir para a pasta")},
        {QStringLiteral("shift+cmd+h"), QStringLiteral("Pasta pessoal (Finder)")},
        {QStringLiteral("shift+cmd+o"), QStringLiteral("Documentos (Finder)")},
        {QStringLiteral("shift+cmd+u"), QStringLiteral("Utilitários (Finder)")},
        {QStringLiteral("shift+cmd+i"), QStringLiteral("iCloud Drive (Finder)")},
        {QStringLiteral("shift+cmd+c"), QStringLiteral("Computador (Finder)")},
        {QStringLiteral("shift+cmd+k"), QStringLiteral("Rede (Finder)")},
        {QStringLiteral("shift+cmd+l"), QStringLiteral("Transferências (Finder)")},
        {QStringLiteral("shift+cmd+r"), QStringLiteral("AirDrop (Finder)")},
        {QStringLiteral("shift+cmd+f"), QStringLiteral("Recentes (Finder)")},
        {QStringLiteral("shift+cmd+a"), QStringLiteral("Aplicativos (Finder)")},
        {QStringLiteral("shift+cmd+w"), QStringLiteral("Fechar janela")},
        {QStringLiteral("shift+cmd+q"), QStringLiteral("Sair da sessão")},
        {QStringLiteral("shift+cmd+/"), QStringLiteral("Ajuda")},
        {QStringLiteral("shift+cmd+["), QStringLiteral("Aba anterior")},
        {QStringLiteral("shift+cmd+]"), QStringLiteral("Próxima aba")},
        {QStringLiteral("shift+cmd+p"), QStringLiteral("Imprimir / paleta de comandos")},
        {QStringLiteral("opt+cmd+d"), QStringLiteral("mostrar/ocultar o Dock")},
        {QStringLiteral("opt+cmd+h"), QStringLiteral("Ocultar os outros")},
        {QStringLiteral("opt+cmd+w"), QStringLiteral("Fechar todas as janelas")},
        {QStringLiteral("opt+cmd+m"), QStringLiteral("Minimizar todas")},
        {QStringLiteral("opt+cmd+v"), QStringLiteral("Mover item (Finder)")},
        {QStringLiteral("opt+cmd+c"), QStringLiteral("Copiar caminho (Finder)")},
        {QStringLiteral("opt+cmd+i"), QStringLiteral("Inspetor / ferramentas de desenvolvedor")},
        {QStringLiteral("opt+cmd+n"), QStringLiteral("Nova pasta inteligente")},
        {QStringLiteral("opt+cmd+t"), QStringLiteral("Barra de ferramentas")},
        {QStringLiteral("opt+cmd+f"), QStringLiteral("Buscar")},
        {QStringLiteral("opt+cmd+s"), QStringLiteral("Barra lateral")},
        {QStringLiteral("opt+cmd+p"), QStringLiteral("Barra de caminho")},
        {QStringLiteral("opt+cmd+l"), QStringLiteral("Transferências")},
        {QStringLiteral("opt+cmd+j"), QStringLiteral("Console do navegador")},
        {QStringLiteral("ctrl+cmd+q"), QStringLiteral("Bloquear a tela")},
        {QStringLiteral("ctrl+cmd+f"), QStringLiteral("Tela cheia")},
        {QStringLiteral("ctrl+cmd+d"), QStringLiteral("Dicionário")},
        {QStringLiteral("ctrl+cmd+n"), QStringLiteral("Nova janela")},
        {QStringLiteral("ctrl+cmd+v"), QStringLiteral("colar em alguns apps")},
        {QStringLiteral("opt+shift+cmd+v"), QStringLiteral("Colar sem formatação")},
        {QStringLiteral("opt+shift+cmd+q"), QStringLiteral("Sair da sessão sem confirmar")},
        {QStringLiteral("opt+shift+cmd+n"), QStringLiteral("Nova janela")},
        {QStringLiteral("opt+shift+cmd+s"), QStringLiteral("Salvar tudo")},
    };
    return table;
}

QStringList normalized(const QStringList &names)
{
    QSet<QString> present;
    for (const QString &name : names)
        present.insert(canonicalName(name));
    QStringList out;
    for (const Modifier &m : modifiers()) {
        if (present.contains(m.canonical))
            out << m.canonical;
    }
    return out;
}

std::optional<QString> problem(const QString &key, const QStringList &names)
{
    const QStringList canonical = normalized(names);
    if (canonical.size() < 2)
        return QStringLiteral("Use pelo menos duas teclas modificadoras (por exemplo ⌃⌥ ou ⇧⌘). "
                              "Atalhos como ⌘C, ⌘V e ⌘X são do sistema.");
    if (forbiddenKeys().contains(key))
        return QStringLiteral("Essa tecla é usada pelo macOS em combinações do sistema. "
                              "Escolha outra.");
    const QString combination = (canonical + QStringList{key}).join(QLatin1Char('+'));
    for (const auto &[combo, description] : reserved()) {
        if (combo == combination)
            return QStringLiteral("Esse atalho já é usado pelo Mac (") + description +
                   QStringLiteral("). Escolha um menos comum.");
    }
    return std::nullopt;
}

QString label(const HotKeyConfig &config)
{
    QString out;
    for (const QString &canonical : normalized(config.modifiers))
        out += std::find_if(modifiers().begin(), modifiers().end(), [&](const Modifier &m) {
                   return m.canonical == canonical;
               })->symbol;
    return out + config.key.toUpper();
}

QStringList keyNames(const HotKeyConfig &config)
{
    // The order desktops write combinations in ("Super+Shift+V"), not the label's.
    static const QList<std::pair<QString, QString>> names = {
        {QStringLiteral("cmd"), QStringLiteral("Super")},
        {QStringLiteral("ctrl"), QStringLiteral("Ctrl")},
        {QStringLiteral("opt"), QStringLiteral("Alt")},
        {QStringLiteral("shift"), QStringLiteral("Shift")},
    };
    const QStringList present = normalized(config.modifiers);
    QStringList out;
    for (const auto &[canonical, name] : names) {
        if (present.contains(canonical))
            out << name;
    }
    return out << config.key.toUpper();
}

QString inUseMessage(const HotKeyConfig &previous)
{
    return QStringLiteral("Esse atalho já está em uso por outro app. Mantive ") + label(previous) +
           QLatin1Char('.');
}

std::optional<QString> recordableKey(const QString &characters)
{
    const QString lower = characters.toLower();
    if (lower.isEmpty())
        return std::nullopt;
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, lower);
    if (graphemes.toNextBoundary() != lower.size())
        return std::nullopt;
    static const QString punctuation = QStringLiteral("[];',./`-= ");
    for (const char32_t c : lower.toUcs4()) {
        const auto cat = QChar::category(c);
        const bool letterOrDigit = (cat >= QChar::Mark_NonSpacing && cat <= QChar::Number_Other) ||
                                   (cat >= QChar::Letter_Uppercase && cat <= QChar::Letter_Other);
        if (!letterOrDigit && !(c < 0x80 && punctuation.contains(QChar(c))))
            return std::nullopt;
    }
    return lower;
}

} // namespace HotKeyRules
