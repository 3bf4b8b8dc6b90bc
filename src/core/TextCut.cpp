#include "TextCut.h"

#include <QTextBoundaryFinder>

namespace TextCut {

QString leadingCharacters(const QString &text, qsizetype count)
{
    if (text.size() <= count)
        return text;
    // Boundaries are found in a growing prefix, so a copy of hundreds of megabytes is not
    // analysed whole just to title it. A boundary inside the prefix is final: the rules
    // never look further ahead than the next character.
    for (qsizetype window = count * 4;; window *= 2) {
        const bool whole = window >= text.size();
        const qsizetype length = whole ? text.size() : window;
        QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text.constData(), length);
        qsizetype seen = 0;
        qsizetype position = 0;
        while (seen < count && (position = finder.toNextBoundary()) != -1)
            ++seen;
        if (seen == count && (whole || position < length))
            return text.left(position);
        if (whole)
            return text;
    }
}

qsizetype characterCount(const QString &text)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype n = 0;
    while (finder.toNextBoundary() > 0)
        ++n;
    return n;
}

} // namespace TextCut
