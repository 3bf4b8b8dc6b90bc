#pragma once
// The texts a copy offers a reader, for the secret rule: plain text decoded leniently (bad
// bytes become U+FFFD, so the words around them still count) and the text of HTML and RTF.

#include "core/Representation.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace OfferedText {

// Every text the representations carry, one entry per plain, HTML or RTF representation.
QStringList of(const QList<Representation> &reps);

// UTF-8 unless a byte order mark says UTF-16 or UTF-32; never fails.
QString lenient(const QByteArray &bytes);
// The visible text of an HTML fragment: tags dropped (block tags become line breaks),
// comments, scripts and styles left out, character references resolved.
QString fromHtml(const QByteArray &html);
// The text of an RTF document: control words and groups that hold no text left out,
// escaped characters resolved.
QString fromRtf(const QByteArray &rtf);

} // namespace OfferedText
