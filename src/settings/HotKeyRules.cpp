#include "HotKeyRules.h"

#include "core/KeyNames.h"

#include <QHash>
#include <QSet>
#include <QTextBoundaryFinder>

#include <algorithm>

namespace HotKeyRules {

namespace {

// Canonical order: lookups always list modifiers this way.
const QStringList &modifierOrder()
{
    static const QStringList list = {QStringLiteral("ctrl"), QStringLiteral("opt"),
                                     QStringLiteral("shift"), QStringLiteral("cmd")};
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
    // What GNOME, KDE, Xfce, terminals and browsers commonly bind with two or more modifiers
    // (one-modifier combinations never pass the modifier rule).
    static const QList<std::pair<QString, QString>> table = {
        {QStringLiteral("ctrl+opt+t"), QStringLiteral("abrir o terminal")},
        {QStringLiteral("ctrl+opt+l"), QStringLiteral("bloquear a tela")},
        {QStringLiteral("ctrl+opt+d"), QStringLiteral("mostrar a área de trabalho")},
        {QStringLiteral("ctrl+opt+delete"), QStringLiteral("encerrar a sessão")},
        {QStringLiteral("ctrl+opt+backspace"), QStringLiteral("reiniciar o servidor gráfico")},
        {QStringLiteral("ctrl+opt+tab"), QStringLiteral("alternar entre painéis")},
        {QStringLiteral("ctrl+opt+left"), QStringLiteral("área de trabalho anterior")},
        {QStringLiteral("ctrl+opt+right"), QStringLiteral("próxima área de trabalho")},
        {QStringLiteral("ctrl+opt+up"), QStringLiteral("visão geral das áreas de trabalho")},
        {QStringLiteral("ctrl+opt+down"), QStringLiteral("visão geral das áreas de trabalho")},
        {QStringLiteral("ctrl+opt+escape"), QStringLiteral("fechar um app travado")},
        {QStringLiteral("ctrl+shift+escape"), QStringLiteral("monitor do sistema")},
        {QStringLiteral("ctrl+shift+c"), QStringLiteral("copiar no terminal")},
        {QStringLiteral("ctrl+shift+v"), QStringLiteral("colar no terminal")},
        {QStringLiteral("ctrl+shift+t"), QStringLiteral("reabrir aba")},
        {QStringLiteral("ctrl+shift+n"), QStringLiteral("nova janela anônima")},
        {QStringLiteral("ctrl+shift+w"), QStringLiteral("fechar janela")},
        {QStringLiteral("ctrl+shift+q"), QStringLiteral("sair do app")},
        {QStringLiteral("ctrl+shift+z"), QStringLiteral("refazer")},
        {QStringLiteral("ctrl+shift+s"), QStringLiteral("salvar como")},
        {QStringLiteral("ctrl+shift+i"), QStringLiteral("ferramentas de desenvolvedor")},
        {QStringLiteral("ctrl+shift+j"), QStringLiteral("console do navegador")},
        {QStringLiteral("ctrl+shift+p"), QStringLiteral("paleta de comandos / janela privada")},
        {QStringLiteral("ctrl+shift+u"), QStringLiteral("inserir caractere Unicode")},
        {QStringLiteral("ctrl+shift+e"), QStringLiteral("inserir emoji")},
        {QStringLiteral("ctrl+shift+tab"), QStringLiteral("aba anterior")},
        {QStringLiteral("opt+shift+tab"), QStringLiteral("janela anterior")},
        {QStringLiteral("shift+cmd+left"), QStringLiteral("mover a janela para a outra tela")},
        {QStringLiteral("shift+cmd+right"), QStringLiteral("mover a janela para a outra tela")},
        {QStringLiteral("shift+cmd+s"), QStringLiteral("captura de tela")},
        {QStringLiteral("ctrl+opt+s"), QStringLiteral("captura de tela")},
    };
    return table;
}

QStringList normalized(const QStringList &names)
{
    QSet<QString> present;
    for (const QString &name : names)
        present.insert(canonicalName(name));
    QStringList out;
    for (const QString &m : modifierOrder()) {
        if (present.contains(m))
            out << m;
    }
    return out;
}

std::optional<QString> problem(const QString &key, const QStringList &names)
{
    const QStringList canonical = normalized(names);
    if (canonical.size() < 2)
        return QStringLiteral("Use pelo menos duas teclas modificadoras (por exemplo Ctrl+Alt ou "
                              "Super+Shift). Atalhos como Ctrl+C, Ctrl+V e Ctrl+X são do sistema.");
    if (forbiddenKeys().contains(key))
        return QStringLiteral("Essa tecla é reservada pelo sistema em suas combinações. "
                              "Escolha outra.");
    const QString combination = (canonical + QStringList{key}).join(QLatin1Char('+'));
    for (const auto &[combo, description] : reserved()) {
        if (combo == combination)
            return QStringLiteral("Esse atalho é reservado pelo sistema (") + description +
                   QStringLiteral("). Escolha um menos comum.");
    }
    return std::nullopt;
}

bool registrable(const HotKeyConfig &config)
{
    if (config.key.isEmpty())
        return false;
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, config.key);
    if (graphemes.toNextBoundary() != config.key.size())
        return false;
    const QStringList modifiers = normalized(config.modifiers);
    if (modifiers.isEmpty() || modifiers == QStringList{u"shift"_qs})
        return false;
    return !(modifiers == QStringList{u"ctrl"_qs} &&
             config.key.compare(u"v", Qt::CaseInsensitive) == 0);
}

QString label(const HotKeyConfig &config)
{
    return KeyNames::shortcut(normalized(config.modifiers), config.key);
}

QStringList keyNames(const HotKeyConfig &config)
{
    return KeyNames::caps(normalized(config.modifiers), config.key);
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
