#include "TabPalette.h"

namespace TabPalette {

QStringList colors()
{
    return {QStringLiteral("#5B8DEF"), QStringLiteral("#A57BEB"), QStringLiteral("#EB6F92"),
            QStringLiteral("#F2994A"), QStringLiteral("#E8B730"), QStringLiteral("#4CBF8A"),
            QStringLiteral("#3FB0C4"), QStringLiteral("#8E8E93")};
}

QString colorFor(qsizetype tabCount)
{
    const QStringList palette = colors();
    const qsizetype n = palette.size();
    return palette.at(((tabCount % n) + n) % n);
}

} // namespace TabPalette
