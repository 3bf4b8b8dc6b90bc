#pragma once
// Case- and accent-insensitive matching for the strip's search: texts and query tokens are
// folded to one comparable form, so that "sao" finds "São Paulo" and "CAFE" finds "café".

#include <QByteArrayList>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

class SearchFolding
{
public:
    // Compatibility decomposition (NFKD), non-spacing marks dropped, case folded, and ß, æ
    // and œ spelt out. Runs of ASCII and Latin-1 take a table path; the result is the same.
    static QString fold(QStringView text);

    // The query without spaces and tabs at either end; line breaks are kept.
    static QString trimQuery(const QString &query);

    // The folded tokens of a query: trimmed, split at the space character, empty pieces
    // dropped. A tab inside the text stays part of its token. Tokens that fold to nothing
    // (a lone combining mark) are dropped too, as they cannot narrow anything.
    static QStringList tokens(const QString &query);

    // True when every token occurs somewhere in the folded text, in any order. Both sides are
    // UTF-8: searching bytes is about twice as fast as UTF-16, and a valid UTF-8 token can
    // only match where a character starts, so the answer is the same.
    static bool containsAll(QByteArrayView foldedText, const QByteArrayList &tokens);
};
